// INPUT: every kind of typed line in each mode, what is left for the next
// INPUT, the retype request, and what the user hears and sees.
#include "testsupport/case_name.h"
#include "runtime_fixture.h"

#include <vector>

namespace {
struct InputStep {
    uint8_t mode;
    double value;          // the variable afterwards
    const char16_t* rest;  // pendinginput afterwards
};

struct InputCase {
    const char* name;
    const char* separator;
    const char16_t* pending; // left from an earlier line
    double before;           // the variable's value before the first INPUT
    std::vector<Answer> answers;
    std::vector<InputStep> steps;
    QStringList heard;
    QStringList shown; // screen rows from the top
};

const QString kAsk = QStringLiteral("INPUT");
const QString kSayRetype = QStringLiteral("say Prosím přepiš");
const QString kSayPrompt = QStringLiteral("say Vlož data");

const std::vector<InputCase> kCases = {
    {"a number", ",", u"", 5, {Typed(u"17")}, {{0, 17, u""}}, {kAsk}, {}},
    {"the first value is taken, the rest waits", ",", u"", 5, {Typed(u" 3 , 4 ")},
     {{0, 3, u"4"}}, {kAsk}, {}},
    {"a continuing input takes the waiting value without asking", ",", u"", 5,
     {Typed(u" 3 , 4 ")}, {{0, 3, u"4"}, {1, 4, u""}}, {kAsk}, {}},
    {"a fresh input discards the waiting value and asks", ",", u"", 5,
     {Typed(u" 3 , 4 "), Typed(u"9")}, {{0, 3, u"4"}, {0, 9, u""}}, {kAsk, kAsk}, {}},
    {"a doubled comma is skipped by the next input", ",", u"", 5, {Typed(u"1,,3")},
     {{0, 1, u",3"}, {1, 3, u""}}, {kAsk}, {}},
    {"a leading comma gives 0 and keeps the rest", ",", u"", 5, {Typed(u",5")},
     {{0, 0, u"5"}}, {kAsk}, {}},
    {"the rest after a leading comma stays untrimmed", ",", u"", 5, {Typed(u",  5 ,6")},
     {{0, 0, u"  5 ,6"}, {1, 5, u"6"}, {1, 6, u""}}, {kAsk}, {}},
    {"an empty line is 0", ",", u"", 5, {Typed(u"")}, {{0, 0, u""}}, {kAsk}, {}},
    {"a line of blanks keeps the value", ",", u"", 5, {Typed(u"   ")}, {{0, 5, u""}}, {kAsk},
     {}},
    {"control characters around the number are trimmed", ",", u"", 5,
     {Typed(u"\x01 17\x1A")}, {{0, 17, u""}}, {kAsk}, {}},
    {"a closed dialog keeps the value", ",", u"", 5, {Closed()}, {{0, 5, u""}}, {kAsk}, {}},
    {"letters ask to retype", ",", u"", 5, {Typed(u"abc"), Typed(u"8")}, {{0, 8, u""}},
     {kAsk, kSayRetype, kAsk}, {"Prosím přepiš"}},
    {"an inner blank asks to retype", ",", u"", 5, {Typed(u"7 8"), Typed(u"8")},
     {{0, 8, u""}}, {kAsk, kSayRetype, kAsk}, {"Prosím přepiš"}},
    {"a bad first value discards the rest of the line", ",", u"", 5,
     {Typed(u"abc,1"), Typed(u"2")}, {{0, 2, u""}}, {kAsk, kSayRetype, kAsk},
     {"Prosím přepiš"}},
    {"closing the dialog after a retype request keeps the value", ",", u"", 5,
     {Typed(u"abc"), Closed()}, {{0, 5, u""}}, {kAsk, kSayRetype, kAsk}, {"Prosím přepiš"}},
    {"a number out of range asks to retype", ",", u"", 5, {Typed(u"1e400"), Typed(u"1")},
     {{0, 1, u""}}, {kAsk, kSayRetype, kAsk}, {"Prosím přepiš"}},
    {"infinity asks to retype", ",", u"", 5, {Typed(u"inf"), Typed(u"1")}, {{0, 1, u""}},
     {kAsk, kSayRetype, kAsk}, {"Prosím přepiš"}},
    {"an exponent", ",", u"", 5, {Typed(u"1E3")}, {{0, 1000, u""}}, {kAsk}, {}},
    {"a decimal point under a comma setting asks to retype", ",", u"", 5,
     {Typed(u"2.5"), Typed(u"-1")}, {{0, -1, u""}}, {kAsk, kSayRetype, kAsk},
     {"Prosím přepiš"}},
    {"a decimal point under a point setting", ".", u"", 5, {Typed(u"2.5")}, {{0, 2.5, u""}},
     {kAsk}, {}},
    {"a decimal comma splits the values", ",", u"", 5, {Typed(u"2,5")},
     {{0, 2, u"5"}, {1, 5, u""}}, {kAsk}, {}},
    {"a bad waiting value is 0 silently and its rest stays", ",", u"x,7", 5, {},
     {{1, 0, u"7"}, {1, 7, u""}}, {}, {}},
    {"a bad last waiting value is 0 silently", ",", u"x", 5, {}, {{1, 0, u""}}, {}, {}},
    {"a continuing input with nothing waiting prompts and asks", ",", u"", 5, {Typed(u"6")},
     {{1, 6, u""}}, {kSayPrompt, kAsk}, {"Vlož data"}},
    {"a prompting input discards what waits", ",", u"4", 5, {Typed(u"6")}, {{2, 6, u""}},
     {kSayPrompt, kAsk}, {"Vlož data"}},
    {"a prompting input prompts again after the retype request", ",", u"", 5,
     {Typed(u"abc"), Typed(u"6")}, {{2, 6, u""}},
     {kSayPrompt, kAsk, kSayRetype, kSayPrompt, kAsk},
     {"Vlož data", "Prosím přepiš", "Vlož data"}},
    {"a trailing comma leaves nothing waiting", ",", u"", 5, {Typed(u"5,"), Typed(u"6")},
     {{0, 5, u""}, {1, 6, u""}}, {kAsk, kSayPrompt, kAsk}, {"Vlož data"}},
};

class InputNumberTest : public RuntimeFixture, public ::testing::WithParamInterface<InputCase> {};

TEST_P(InputNumberTest, ReadsTheLineAsTheUserTypedIt)
{
    const InputCase& c = GetParam();
    SetDecimalSeparatorForTesting(QString::fromLatin1(c.separator));
    Runtime().pendinginput = QString::fromUtf16(c.pending);
    answers.assign(c.answers.begin(), c.answers.end());
    double variable = c.before;

    for (const InputStep& step : c.steps) {
        InputNumber(variable, step.mode);
        EXPECT_EQ(variable, step.value);
        EXPECT_EQ(Runtime().pendinginput, QString::fromUtf16(step.rest));
    }
    EXPECT_TRUE(answers.empty()) << "the dialog was shown fewer times than expected";
    EXPECT_EQ(Heard(), c.heard);
    EXPECT_EQ(Screen().rows(), ExpectedScreen(c.shown)) << "typed text never reaches the screen";
}

INSTANTIATE_TEST_SUITE_P(Cases, InputNumberTest, ::testing::ValuesIn(kCases),
                         CaseName());
} // namespace
