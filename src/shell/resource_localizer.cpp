#include "shell/resource_localizer.h"

#include "shell/string_table.h"

namespace {
int g_currentLanguage = 1000;
constexpr int kMaxTextLength = 255;

const char* Lookup(long long id)
{
    for (std::size_t b = 0; b < kStringBlockCount; ++b) {
        const StringBlock& block = kStringBlocks[b];
        long long index = id - block.base;
        if (index >= 0 && index < static_cast<long long>(block.count))
            return block.texts[index];
    }
    return nullptr;
}
} // namespace

QString TResourceLocalizer::GetString(int base, int index)
{
    const char* text = Lookup(static_cast<long long>(base) + index);
    if (!text)
        return QString();
    return QString::fromUtf8(text).left(kMaxTextLength);
}

void TResourceLocalizer::GetLanguages(LanguageList& list)
{
    list.clear();
    for (long long base = 1000;; base += 1000) {
        const char* name = Lookup(base);
        if (!name)
            break;
        list.append({QString::fromUtf8(name), static_cast<int>(base)});
    }
}

int CurrentLanguage() { return g_currentLanguage; }
void SetCurrentLanguage(int base) { g_currentLanguage = base; }
QString Str(int index) { return TResourceLocalizer::GetString(g_currentLanguage, index); }
