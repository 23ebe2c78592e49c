// PRINT of texts and numbers: what the screen shows, what is spoken, and the
// pauses for leading punctuation.
#include "testsupport/case_name.h"
#include "runtime_fixture.h"

namespace {
struct PrintTextCase {
    const char* name;
    const char16_t* text;
    QStringList heard; // spoken texts and pauses, in order
};

const PrintTextCase kPrintTextCases[] = {
    {"plain text is spoken whole", u"ahoj", {"say ahoj"}},
    {"a run of marks pauses once per mark", u"..,;?ahoj",
     {"pause 300", "pause 300", "pause 300", "pause 300", "pause 300", "say ahoj"}},
    {"blanks end the run of marks", u". . ahoj", {"pause 300", "say  . ahoj"}},
    {"a question mark alone pauses and says nothing", u"?", {"pause 300"}},
    {"leading blanks and control characters before a mark go", u" \t ,ne",
     {"pause 300", "say ne"}},
    {"leading blanks stay when no mark follows", u"  ahoj", {"say   ahoj"}},
    {"marks inside the text are spoken", u"a. b", {"say a. b"}},
    {"other punctuation does not pause", u"!ahoj", {"say !ahoj"}},
    {"a colon does not pause", u":ahoj", {"say :ahoj"}},
    {"blanks only are handed to speech", u" ", {"say  "}},
    {"an empty text says nothing", u"", {}},
};

class PrintTextTest : public RuntimeFixture, public ::testing::WithParamInterface<PrintTextCase> {};

TEST_P(PrintTextTest, ShowsTheTextUnchangedAndSpeaksWithoutLeadingMarks)
{
    const PrintTextCase& c = GetParam();
    const QString text = QString::fromUtf16(c.text);
    SetCursor(0, 2);
    PrintText(text, 0);
    EXPECT_EQ(Heard(), c.heard);
    EXPECT_EQ(Screen().rows(), ExpectedScreen({"", "", text.isEmpty() ? QStringLiteral(" ") : text}));
    EXPECT_EQ(Runtime().scrcursor.GetColumn(), 0);
    EXPECT_EQ(Runtime().scrcursor.GetRow(), 3);
}

INSTANTIATE_TEST_SUITE_P(Cases, PrintTextTest, ::testing::ValuesIn(kPrintTextCases),
                         CaseName());

struct PrintNumberCase {
    const char* name;
    const char* separator;
    double value;
    uint8_t mode;
    const char* shown;
    int column; // of the cursor afterwards, on row 0
};

const PrintNumberCase kPrintNumberCases[] = {
    {"seven stays behind", ",", 7, 1, "7", 1},
    {"decimal comma", ",", 2.5, 1, "2,5", 3},
    {"decimal point", ".", 2.5, 1, "2.5", 3},
    {"large number in scientific form", ",", 1e15, 1, "1E15", 4},
    {"small number in scientific form", ",", 0.00001, 1, "1E-5", 4},
    {"negative fraction", ",", -0.25, 1, "-0,25", 5},
    {"tab after a number", ",", 123, 2, "123", 8},
};

class PrintNumberTest : public RuntimeFixture,
                        public ::testing::WithParamInterface<PrintNumberCase> {};

TEST_P(PrintNumberTest, ShowsAndSpeaksTheNumberText)
{
    const PrintNumberCase& c = GetParam();
    SetDecimalSeparatorForTesting(QString::fromLatin1(c.separator));
    PrintNumber(c.mode, c.value);
    const QString shown = QString::fromLatin1(c.shown);
    EXPECT_EQ(Screen().rows(), ExpectedScreen({shown}));
    EXPECT_EQ(Heard(), QStringList{QStringLiteral("say ") + shown});
    EXPECT_EQ(Runtime().scrcursor.GetColumn(), c.column);
    EXPECT_EQ(Runtime().scrcursor.GetRow(), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, PrintNumberTest, ::testing::ValuesIn(kPrintNumberCases),
                         CaseName());

TEST_F(RuntimeFixture, NumbersSkipThePunctuationPauses)
{
    // A number text that starts with a mark would pause in PrintText; a
    // printed number is spoken as it is.
    SetDecimalSeparatorForTesting(QStringLiteral("."));
    PrintNumber(0, -0.5);
    PrintText(QStringLiteral(".5"), 0);
    EXPECT_EQ(Heard(), (QStringList{"say -0.5", "pause 300", "say 5"}));
}

TEST_F(RuntimeFixture, TextIsOnTheScreenBeforeItIsSpoken)
{
    QStringList shownWhenSpoken;
    script.duration = [&](const QString&) {
        shownWhenSpoken << Screen().rows()[0].trimmed();
        return 1;
    };
    PrintText(QStringLiteral("první"), 1);
    PrintNumber(0, 42);
    EXPECT_EQ(shownWhenSpoken, (QStringList{"první", "první42"}));
}

TEST_F(RuntimeFixture, SpeechOffStillShowsEverything)
{
    Settings().sapi5 = false;
    Settings().voiceallowed = false;
    Speech().SpeechReady = false;
    PrintText(QStringLiteral("ticho"), 0);
    PrintNumber(0, 3);
    EXPECT_EQ(Heard(), QStringList());
    EXPECT_EQ(Screen().rows(), ExpectedScreen({"ticho", "3"}));
}
} // namespace
