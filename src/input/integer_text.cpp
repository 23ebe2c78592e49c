#include "input/integer_text.h"

#include "shell/errors.h"

namespace {

int DigitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int v = -1;
    if (u >= u'0' && u <= u'9')
        v = u - u'0';
    else if (u >= u'a' && u <= u'f')
        v = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        v = u - u'A' + 10;
    return v < base ? v : -1;
}

} // namespace

std::optional<int32_t> ParseInteger(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        negative = text[i++] == QLatin1Char('-');

    int base = 10;
    if (i < n && text[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == QLatin1Char('0') &&
               (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    // Decimal reaches -2^31 only with a sign; hexadecimal covers all 32 bits.
    const int64_t limit = base == 16 ? 0xFFFFFFFFLL : (negative ? 0x80000000LL : 0x7FFFFFFFLL);
    if (i == n)
        return std::nullopt; // no digits
    int64_t value = 0;
    for (; i < n; ++i) {
        const int d = DigitValue(text[i], base);
        if (d < 0)
            return std::nullopt;
        value = value * base + d;
        if (value > limit)
            return std::nullopt;
    }
    const uint32_t bits = static_cast<uint32_t>(negative ? -value : value);
    return static_cast<int32_t>(bits);
}

int32_t StrToInt(const QString& text)
{
    if (std::optional<int32_t> v = ParseInteger(text))
        return *v;
    throw VeltraError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}
