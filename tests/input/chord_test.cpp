#include "input/chord.h"

#include "input/braille_state.h"
#include "input/braille_table.h"
#include "input/key_state.h"
#include "testsupport/test_environment.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

// Everything here is local to this test file.
namespace {

// A physical key: its X keycode and the Qt key it reports.
struct PhysicalKey {
    quint32 scanCode;
    int qtKey;
};

constexpr PhysicalKey F{scancode::F, Qt::Key_F}, D{scancode::D, Qt::Key_D}, S{scancode::S, Qt::Key_S},
    J{scancode::J, Qt::Key_J}, K{scancode::K, Qt::Key_K}, L{scancode::L, Qt::Key_L},
    Space{scancode::Space, Qt::Key_Space}, Digit1{10, Qt::Key_1}, Enter{36, Qt::Key_Return},
    ShiftKey{50, Qt::Key_Shift}, G{42, Qt::Key_G};

// Records the chord that ReadChord finds while each key press is handled.
class ChordProbe : public QWidget {
public:
    QString lastChord;

protected:
    void keyPressEvent(QKeyEvent*) override
    {
        ReadChord();
        lastChord = Braille().brlchord;
    }
};

// Sends the event through the application, as a real key would arrive.
void Send(QWidget& target, QEvent::Type type, PhysicalKey key, bool withScanCode)
{
    QKeyEvent event(type, key.qtKey, Qt::NoModifier, withScanCode ? key.scanCode : 0, 0, 0);
    QCoreApplication::sendEvent(&target, &event);
}

struct ReadCase {
    const char* name;
    std::vector<PhysicalKey> held; // pressed in this order; the last press is read
    const char* chord;
};

class ChordReading : public ::testing::TestWithParam<std::tuple<ReadCase, bool>> {
protected:
    void SetUp() override
    {
        KeyStateTracker::instance().install();
        KeyStateTracker::instance().clear();
        Braille() = BrailleState();
    }
    void TearDown() override { KeyStateTracker::instance().clear(); }
};

TEST_P(ChordReading, GivesThePatternOfTheHeldKeys)
{
    const auto& [c, withScanCodes] = GetParam();
    ChordProbe probe;
    for (const PhysicalKey& key : c.held)
        Send(probe, QEvent::KeyPress, key, withScanCodes);
    EXPECT_EQ(probe.lastChord, QString::fromLatin1(c.chord));
    for (const PhysicalKey& key : c.held)
        Send(probe, QEvent::KeyRelease, key, withScanCodes);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ChordReading,
    ::testing::Combine(
        ::testing::Values(ReadCase{"FAndJ", {F, J}, "14"}, ReadCase{"JThenF", {J, F}, "14"},
                          ReadCase{"AllSixDots", {L, K, J, S, D, F}, "123456"},
                          ReadCase{"FWithSpace", {Space, F}, "1"}, ReadCase{"SpaceAlone", {Space}, " "},
                          ReadCase{"SingleDot6", {L}, "6"}, ReadCase{"Dots3456", {S, J, K, L}, "3456"},
                          ReadCase{"DigitKey", {Digit1}, ""}, ReadCase{"Enter", {Enter}, ""},
                          ReadCase{"OtherLetterIgnored", {F, G}, "1"},
                          ReadCase{"ShiftIgnored", {ShiftKey, D, K}, "25"},
                          ReadCase{"ShiftAndSpace", {ShiftKey, Space}, " "}),
        ::testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) +
               (std::get<1>(info.param) ? "_ByScanCode" : "_ByKeyCode");
    });

TEST(ChordReadingState, UsesTheStateAsOfEachEvent)
{
    KeyStateTracker::instance().install();
    KeyStateTracker::instance().clear();
    ChordProbe probe;
    std::vector<QString> seen;
    auto press = [&](PhysicalKey k) {
        Send(probe, QEvent::KeyPress, k, true);
        seen.push_back(probe.lastChord);
    };
    press(F);
    press(D);
    Send(probe, QEvent::KeyRelease, F, true);
    press(K);
    Send(probe, QEvent::KeyRelease, D, true);
    Send(probe, QEvent::KeyRelease, K, true);
    press(Space);
    EXPECT_EQ(seen, (std::vector<QString>{"1", "12", "25", " "}));
    KeyStateTracker::instance().clear();
}

TEST(ChordReadingState, TakesDotKeysByPositionUnderAnyLayout)
{
    // On a layout where the home-row keys carry other letters, the key at
    // F's place is dot 1 and a key reporting "F" elsewhere is no dot key.
    KeyStateTracker::instance().install();
    KeyStateTracker::instance().clear();
    ChordProbe probe;
    Send(probe, QEvent::KeyPress, PhysicalKey{scancode::F, Qt::Key_U}, true);
    Send(probe, QEvent::KeyPress, PhysicalKey{scancode::L, Qt::Key_N}, true);
    EXPECT_EQ(probe.lastChord, QStringLiteral("16"));
    KeyStateTracker::instance().clear();
    Send(probe, QEvent::KeyPress, PhysicalKey{scancode::F + 100, Qt::Key_F}, true);
    EXPECT_EQ(probe.lastChord, QString());
    KeyStateTracker::instance().clear();
}

// A table with a capital sign, a lasting prefix, a pattern that is both a
// prefix and a character, two rows with the same dots, a multi-character
// row, a row with empty dots and a section no prefix opens.
const QByteArray kTable = "[prefixes]\n"
                          "#cap=6\n"
                          "#num=3456\n"
                          "#it=46\n"
                          "[characters]\n"
                          "a=1\n"
                          "b=12\n"
                          "x=14\n"
                          "y=14\n"
                          "ch=2\n"
                          "n=3456\n"
                          "e=\n"
                          "[#cap]\n"
                          "A=1\n"
                          "X=14\n"
                          "[#num]\n"
                          "1=1\n"
                          "2=12\n"
                          "[#it]\n"
                          "i=1\n"
                          "[#orphan]\n"
                          "o=1\n";

struct Step {
    const char* pattern;
    const char* produces;
    const char* prefixAfter;
};

struct TranslateCase {
    const char* name;
    bool emptyTable;
    const char* startPrefix;
    std::vector<Step> steps;
};

class ChordTranslation : public ::testing::TestWithParam<TranslateCase> {
protected:
    void SetUp() override
    {
        ResetBrailleTable();
        Braille() = BrailleState();
    }
    void TearDown() override
    {
        ResetBrailleTable();
        Braille() = BrailleState();
    }
    TestEnvironment env;
};

TEST_P(ChordTranslation, ProducesTextAndKeepsThePrefix)
{
    const TranslateCase& c = GetParam();
    if (!c.emptyTable) {
        env.writeFile(QStringLiteral("czech.vbt"), kTable);
        BrailleTable().brailletablefile = QStringLiteral("czech.vbt");
        LoadBrailleTable();
    }
    Braille().brlprefix = QString::fromLatin1(c.startPrefix);
    for (size_t i = 0; i < c.steps.size(); ++i) {
        const Step& s = c.steps[i];
        SCOPED_TRACE(testing::Message() << "step " << i + 1 << " '" << s.pattern << "'");
        EXPECT_EQ(TranslateChord(QString::fromLatin1(s.pattern)), QString::fromLatin1(s.produces));
        EXPECT_EQ(Braille().brlprefix, QString::fromLatin1(s.prefixAfter));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, ChordTranslation,
    ::testing::Values(
        TranslateCase{"PlainCharacter", false, "", {{"1", "a", ""}, {"12", "b", ""}}},
        TranslateCase{"FirstRowWins", false, "", {{"14", "x", ""}}},
        TranslateCase{"MultiCharacterText", false, "", {{"2", "ch", ""}}},
        TranslateCase{"UnknownPatternGivesNothing", false, "", {{"123", "", ""}}},
        TranslateCase{"CapitalThenLetterThenSameChord", false, "",
                      {{"6", "", "#cap"}, {"14", "X", ""}, {"14", "x", ""}}},
        TranslateCase{"CapitalWaitsForALetterOfItsSection", false, "",
                      {{"6", "", "#cap"}, {"12", "", "#cap"}, {"1", "A", ""}}},
        TranslateCase{"OtherPrefixLastsUntilSpace", false, "",
                      {{"3456", "", "#num"},
                       {"1", "1", "#num"},
                       {"12", "2", "#num"},
                       {"14", "", "#num"},
                       {" ", " ", ""},
                       {"14", "x", ""}}},
        TranslateCase{"PrefixReplacesPrefix", false, "",
                      {{"6", "", "#cap"}, {"46", "", "#it"}, {"1", "i", "#it"}, {"1", "i", "#it"}}},
        TranslateCase{"PrefixChordRepeated", false, "", {{"6", "", "#cap"}, {"6", "", "#cap"}, {"1", "A", ""}}},
        TranslateCase{"PrefixComesBeforeACharacterWithTheSameDots", false, "",
                      {{"3456", "", "#num"}, {"3456", "", "#num"}}},
        TranslateCase{"SpaceEndsTheCapitalSign", false, "", {{"6", "", "#cap"}, {" ", " ", ""}, {"1", "a", ""}}},
        TranslateCase{"EmptyPatternMatchesOnlyEmptyDots", false, "#num", {{"", "", "#num"}}},
        TranslateCase{"EmptyPatternWithoutPrefix", false, "", {{"", "e", ""}}},
        TranslateCase{"SectionOfNoPrefixIsNeverReached", false, "", {{"1", "a", ""}}},
        TranslateCase{"ComparisonIsExact", false, "", {{"41", "", ""}, {"1 ", "", ""}, {"01", "", ""}}},
        TranslateCase{"SpaceWithEmptyTables", true, "#cap", {{" ", " ", ""}}},
        TranslateCase{"EmptyTablesGiveNothing", true, "", {{"1", "", ""}, {"6", "", ""}, {"", "", ""}}},
        TranslateCase{"ActivePrefixKeptWithEmptyTables", true, "#num", {{"1", "", "#num"}}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
