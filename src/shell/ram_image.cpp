#include "shell/ram_image.h"

#include "shell/atomic_file.h"
#include "shell/errors.h"

#include <cerrno>
#include <cstdio>
#include <memory>

namespace {
std::array<uint8_t, kRamSize> g_ram{};
}

std::array<uint8_t, kRamSize>& RamImage() { return g_ram; }
void ClearRamImage() { g_ram.fill(0); }

void LoadRamImage()
{
    QByteArray name = kRamFileName.toLocal8Bit();
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(name.constData(), "rb"), &std::fclose);
    if (!f) {
        if (errno == ENOENT)
            return; // the normal case of a first start
        RaiseFileErrorFromErrno(errno);
    }
    size_t n = std::fread(g_ram.data(), 1, g_ram.size(), f.get());
    if (n < g_ram.size() && std::ferror(f.get()))
        RaiseFileErrorFromErrno(errno ? errno : EIO);
}

void SaveRamImage()
{
    ReplaceFileContents(kRamFileName, QByteArray(reinterpret_cast<const char*>(g_ram.data()),
                                                 static_cast<qsizetype>(g_ram.size())));
}

uint8_t Peek(double address)
{
    return g_ram[static_cast<size_t>(static_cast<long long>(address)) & 0xFFFF];
}
