#include "runtime/number_text.h"

#include "runtime/decimal_separator.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace {
constexpr int kSignificantDigits = 15;

// "1e+15" -> "E15", "e-05" -> "E-5": no plus sign, no leading zeros.
QString ExponentText(std::string_view exponent)
{
    QString text = QStringLiteral("E");
    if (exponent.front() == '-')
        text += QLatin1Char('-');
    if (exponent.front() == '-' || exponent.front() == '+')
        exponent.remove_prefix(1);
    while (exponent.size() > 1 && exponent.front() == '0')
        exponent.remove_prefix(1);
    text += QLatin1String(exponent.data(), static_cast<qsizetype>(exponent.size()));
    return text;
}
} // namespace

QString NumberText(double value)
{
    if (value == 0)
        return QStringLiteral("0"); // also for -0, which is not a negative number
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");

    // The general format of printf with 15 digits, free of the C library's locale.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, kSignificantDigits);
    const std::string_view digits(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t e = digits.find('e');
    const std::string_view mantissa = digits.substr(0, e);

    QString text = QLatin1String(mantissa.data(), static_cast<qsizetype>(mantissa.size()));
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point >= 0)
        text.replace(point, 1, DecimalSeparator());
    if (e != std::string_view::npos)
        text += ExponentText(digits.substr(e + 1));
    return text;
}
