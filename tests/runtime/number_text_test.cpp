// The text form of numbers under a comma and a point separator, and a sweep
// against the C library's 15-digit general format.
#include "runtime/decimal_separator.h"
#include "runtime/number_text.h"

#include "testsupport/qstring_printer.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

namespace {
struct SeparatorOverride {
    explicit SeparatorOverride(const QString& s) { SetDecimalSeparatorForTesting(s); }
    ~SeparatorOverride() { SetDecimalSeparatorForTesting(QString()); }
};

struct NumberCase {
    const char* name;
    double value;
    const char* withComma;
    const char* withPoint;
};

const NumberCase kNumbers[] = {
    {"whole number", 5, "5", "5"},
    {"hundred keeps its zeros", 100, "100", "100"},
    {"zero", 0, "0", "0"},
    {"negative zero has no sign", -0.0, "0", "0"},
    {"seven", 7, "7", "7"},
    {"one half", 0.5, "0,5", "0.5"},
    {"two and a half", 2.5, "2,5", "2.5"},
    {"negative quarter", -0.25, "-0,25", "-0.25"},
    {"smallest fixed value", 0.0001, "0,0001", "0.0001"},
    {"just below the fixed range", 0.0000999, "9,99E-5", "9.99E-5"},
    {"one hundred thousandth", 0.00001, "1E-5", "1E-5"},
    {"scientific with fraction", 1.5e-5, "1,5E-5", "1.5E-5"},
    {"largest fixed whole number", 999999999999999, "999999999999999", "999999999999999"},
    {"rounds up into scientific", 999999999999999.5, "1E15", "1E15"},
    {"ten to the fifteenth", 1e15, "1E15", "1E15"},
    {"negative scientific", -2e20, "-2E20", "-2E20"},
    {"three digit exponent", 1e100, "1E100", "1E100"},
    {"tiny negative", -1e-300, "-1E-300", "-1E-300"},
    {"rounded to 15 digits", 123456789012345678.0, "1,23456789012346E17", "1.23456789012346E17"},
    {"one third", 1.0 / 3, "0,333333333333333", "0.333333333333333"},
    {"binary noise is rounded away", 0.1 + 0.2, "0,3", "0.3"},
    {"fraction with trailing zeros dropped", 12345.678, "12345,678", "12345.678"},
    {"largest double", DBL_MAX, "1,79769313486232E308", "1.79769313486232E308"},
    {"smallest subnormal", 4.9406564584124654e-324, "4,94065645841247E-324",
     "4.94065645841247E-324"},
    {"no digit grouping", -1234567.5, "-1234567,5", "-1234567.5"},
};

TEST(NumberTextTest, ListedValuesUnderCommaAndPoint)
{
    for (const NumberCase& c : kNumbers) {
        SCOPED_TRACE(c.name);
        {
            SeparatorOverride comma(QStringLiteral(","));
            EXPECT_EQ(NumberText(c.value), QString::fromLatin1(c.withComma));
        }
        {
            SeparatorOverride point(QStringLiteral("."));
            EXPECT_EQ(NumberText(c.value), QString::fromLatin1(c.withPoint));
        }
    }
}

TEST(NumberTextTest, UsesAnyRegionalSeparatorAsItIs)
{
    SeparatorOverride arabic(QString(QChar(0x066B)));
    EXPECT_EQ(NumberText(-1.25e-7), QString::fromUtf16(u"-1\u066B25E-7"));
    EXPECT_EQ(NumberText(3.5), QString::fromUtf16(u"3\u066B5"));
}

// The C library's "%.15G", turned into the program's form: no "+" and no
// leading zeros in the exponent, the separator given.
QString ExpectedFromPrintf(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    std::string text = buffer;
    const char* point = std::localeconv()->decimal_point;
    if (const auto at = text.find(point); at != std::string::npos)
        text.replace(at, std::strlen(point), ".");
    const auto e = text.find('E');
    if (e == std::string::npos)
        return QString::fromStdString(text);
    const int exponent = std::stoi(text.substr(e + 1));
    return QString::fromStdString(text.substr(0, e + 1) + std::to_string(exponent));
}

TEST(NumberTextTest, AgreesWithTheCLibraryOverRandomValues)
{
    SeparatorOverride point(QStringLiteral("."));
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> decade(-30, 30);
    for (int i = 0; i < 200000; ++i) {
        double value;
        if (i % 2 == 0) {
            // Any bit pattern: every magnitude, subnormals included.
            const std::uint64_t bits = random();
            std::memcpy(&value, &bits, sizeof value);
        } else {
            // Around the switch between fixed and scientific form.
            value = mantissa(random) * std::pow(10.0, decade(random));
        }
        if (!std::isfinite(value) || value == 0)
            continue;
        const QString expected = ExpectedFromPrintf(value);
        ASSERT_EQ(NumberText(value), expected) << "value bits of " << expected.toStdString();
    }
}
} // namespace
