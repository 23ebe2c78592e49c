// Reading typed numbers: the accepted grammar, the regional separator, and
// the trimming of blanks and control characters.
#include "runtime/decimal_separator.h"
#include "runtime/number_parse.h"

#include "testsupport/qstring_printer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
struct ParseCase {
    const char* name;
    const char16_t* text;
    const char* separator;
    bool converts;
    double value; // when it converts
};

const ParseCase kCases[] = {
    {"whole number", u"17", ".", true, 17},
    {"blanks around", u"  17  ", ".", true, 17},
    {"plus sign", u"+5", ".", true, 5},
    {"minus sign", u"-5", ".", true, -5},
    {"blanks before the sign", u"  -0.5e2  ", ".", true, -50},
    {"exponent with E", u"1E3", ".", true, 1000},
    {"exponent with e", u"1e3", ".", true, 1000},
    {"exponent with plus", u"1e+3", ".", true, 1000},
    {"negative exponent", u"25E-1", ".", true, 2.5},
    {"point separator", u"2.5", ".", true, 2.5},
    {"comma separator", u"2,5", ",", true, 2.5},
    {"point under a comma setting", u"2.5", ",", false, 0},
    {"comma under a point setting", u"2,5", ".", false, 0},
    {"separator first", u".5", ".", true, 0.5},
    {"separator last", u"5.", ".", true, 5},
    {"separator alone", u".", ".", false, 0},
    {"two separators", u"1.2.3", ".", false, 0},
    {"empty", u"", ".", false, 0},
    {"blanks only", u"   ", ".", false, 0},
    {"sign alone", u"-", ".", false, 0},
    {"two signs", u"+-1", ".", false, 0},
    {"blank after the sign", u"- 1", ".", false, 0},
    {"inner blank", u"7 8", ".", false, 0},
    {"digit grouping", u"12 345", ".", false, 0},
    {"letters", u"abc", ".", false, 0},
    {"trailing letter", u"12a", ".", false, 0},
    {"infinity", u"inf", ".", false, 0},
    {"long infinity", u"Infinity", ".", false, 0},
    {"not a number", u"nan", ".", false, 0},
    {"hexadecimal", u"0x10", ".", false, 0},
    {"exponent without digits", u"1e", ".", false, 0},
    {"exponent sign without digits", u"1e+", ".", false, 0},
    {"exponent alone", u"E5", ".", false, 0},
    {"fractional exponent", u"1e5.5", ".", false, 0},
    {"blank inside the exponent", u"1e 5", ".", false, 0},
    {"too large", u"1e400", ".", false, 0},
    {"too small to hold", u"1e-400", ".", false, 0},
    {"largest double", u"1.7976931348623157e308", ".", true, 1.7976931348623157e308},
    {"subnormal", u"1e-310", ".", true, 1e-310},
    {"other script digits", u"\u0663", ".", false, 0},
    {"full-width digits", u"\uFF11\uFF12", ".", false, 0},
    {"no-break space is not a blank", u"\u00A05", ".", false, 0},
    {"tab is not a blank", u"5\t", ".", false, 0},
    {"many digits", u"000000000000000000000000000000000000000001.5", ".", true, 1.5},
};

TEST(TextToNumberTest, AcceptsExactlyTheNumberGrammar)
{
    for (const ParseCase& c : kCases) {
        SCOPED_TRACE(c.name);
        SetDecimalSeparatorForTesting(QString::fromLatin1(c.separator));
        double value = -123;
        const bool converted = TextToNumber(QString::fromUtf16(c.text), value);
        SetDecimalSeparatorForTesting(QString());
        EXPECT_EQ(converted, c.converts);
        EXPECT_EQ(value, c.converts ? c.value : -123) << "a failed conversion keeps the value";
    }
}

TEST(TextToNumberTest, ReadsBackEveryPrintedFormOfADouble)
{
    SetDecimalSeparatorForTesting(QStringLiteral(","));
    const double values[] = {0.1, -7.25e-300, 6.02214076e23, 1e15, 4.9406564584124654e-324};
    for (double v : values) {
        SCOPED_TRACE(v);
        const QString text = QString::number(v, 'g', 17).replace(QLatin1Char('.'), QLatin1Char(','));
        double read = 0;
        EXPECT_TRUE(TextToNumber(text, read));
        EXPECT_EQ(read, v);
    }
    SetDecimalSeparatorForTesting(QString());
}

TEST(TrimControlsTest, RemovesCodesUpTo32AtBothEndsOnly)
{
    const struct {
        const char* name;
        const char16_t* text;
        const char16_t* trimmed;
    } cases[] = {
        {"blanks", u"  3 , 4  ", u"3 , 4"},
        {"control characters", u"\x01\t\r\n5\x1A\x1F", u"5"},
        {"inner blanks stay", u"a  b", u"a  b"},
        {"no-break space stays", u"\u00A05\u00A0", u"\u00A05\u00A0"},
        {"only blanks", u" \t ", u""},
        {"empty", u"", u""},
        {"character 33 stays", u"!x!", u"!x!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TrimControls(QString::fromUtf16(c.text)), QString::fromUtf16(c.trimmed));
    }
}
} // namespace
