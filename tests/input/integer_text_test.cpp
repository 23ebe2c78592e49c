#include "input/integer_text.h"

#include "shell/errors.h"

#include <gtest/gtest.h>

// Everything here is local to this test file.
namespace {

struct ValidCase {
    const char* name;
    const char* text;
    int32_t value;
};

class IntegerText : public ::testing::TestWithParam<ValidCase> {};

TEST_P(IntegerText, ReadsTheValue)
{
    const QString text = QString::fromLatin1(GetParam().text);
    EXPECT_EQ(ParseInteger(text), std::optional<int32_t>(GetParam().value));
    EXPECT_EQ(StrToInt(text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Valid, IntegerText,
    ::testing::Values(ValidCase{"Decimal", "65", 65}, ValidCase{"Zero", "0", 0},
                      ValidCase{"LeadingZeros", "007", 7}, ValidCase{"LeadingSpaces", "   65", 65},
                      ValidCase{"PlusSign", "+65", 65}, ValidCase{"MinusSign", "-1", -1},
                      ValidCase{"SpacesThenSign", "  -300", -300},
                      ValidCase{"DollarHex", "$41", 0x41}, ValidCase{"DollarHexLowerCase", "$ff", 255},
                      ValidCase{"ZeroXHex", "0x1A", 0x1A}, ValidCase{"ZeroCapitalXHex", "0X1a", 0x1A},
                      ValidCase{"SignedHex", "-$10", -16}, ValidCase{"SpacesSignedZeroX", " +0x7F", 127},
                      ValidCase{"LargestDecimal", "2147483647", 2147483647},
                      ValidCase{"SmallestDecimal", "-2147483648", INT32_MIN},
                      ValidCase{"AllHexBitsAreMinusOne", "$FFFFFFFF", -1},
                      ValidCase{"HexSignBit", "0x80000000", INT32_MIN},
                      ValidCase{"ManyLeadingZerosDoNotOverflow", "000000000000000000000012", 12}),
    [](const auto& info) { return std::string(info.param.name); });

struct InvalidCase {
    const char* name;
    const char* text;
};

class NotAnInteger : public ::testing::TestWithParam<InvalidCase> {};

TEST_P(NotAnInteger, IsRejectedWithTheConversionMessage)
{
    const QString text = QString::fromUtf8(GetParam().text);
    EXPECT_EQ(ParseInteger(text), std::nullopt);
    try {
        StrToInt(text);
        FAIL() << "accepted";
    } catch (const FileError&) {
        FAIL() << "a conversion is no file error";
    } catch (const VeltraError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("'%1' is not a valid integer value").arg(text));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Invalid, NotAnInteger,
    ::testing::Values(InvalidCase{"Empty", ""}, InvalidCase{"OnlySpaces", "   "},
                      InvalidCase{"TrailingSpace", "65 "}, InvalidCase{"Word", "abc"},
                      InvalidCase{"TrailingLetter", "12a"}, InvalidCase{"OnlySign", "-"},
                      InvalidCase{"SpaceAfterSign", "- 5"}, InvalidCase{"TwoSigns", "+-5"},
                      InvalidCase{"LeadingTab", "\t5"}, InvalidCase{"DecimalPoint", "1.5"},
                      InvalidCase{"DollarAlone", "$"}, InvalidCase{"ZeroXAlone", "0x"},
                      InvalidCase{"HexDigitInDecimal", "1F"}, InvalidCase{"BadHexDigit", "$1G"},
                      InvalidCase{"SignAfterDollar", "$-1"}, InvalidCase{"SpaceAfterDollar", "$ 1"},
                      InvalidCase{"DecimalTooLarge", "2147483648"},
                      InvalidCase{"DecimalTooSmall", "-2147483649"},
                      InvalidCase{"HexTooLarge", "$100000000"},
                      InvalidCase{"HugeNumber", "99999999999999999999999999999"},
                      InvalidCase{"FullWidthDigit", "６５"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
