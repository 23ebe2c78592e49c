// The Czech braille table the program ships, typed through the chord keyboard.
#include "input/braille_state.h"
#include "input/braille_table.h"
#include "input/chord.h"
#include "input/key_state.h"
#include "testsupport/test_environment.h"

#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QWidget>
#include <gtest/gtest.h>

// Everything here is local to this test file.
namespace {

// The X keycodes of the dot keys 1 to 6 (F D S J K L on a US layout).
constexpr quint32 kDotScanCodes[] = {scancode::F, scancode::D, scancode::S,
                                     scancode::J, scancode::K, scancode::L};

// Types one chord as the keyboard does: press its keys, translate the chord
// read at the last press, release.
class ChordTypist : public QWidget {
public:
    // The dots as digits, or " " for the space bar.
    QString Type(const char* dots)
    {
        for (const char* d = dots; *d; ++d)
            Send(QEvent::KeyPress, ScanCode(*d));
        const QString text = TranslateChord(Braille().brlchord);
        for (const char* d = dots; *d; ++d)
            Send(QEvent::KeyRelease, ScanCode(*d));
        return text;
    }

protected:
    void keyPressEvent(QKeyEvent*) override { ReadChord(); }

private:
    static quint32 ScanCode(char key) { return key == ' ' ? scancode::Space : kDotScanCodes[key - '1']; }

    void Send(QEvent::Type type, quint32 scanCode)
    {
        // The key codes say nothing here: only the physical keys count.
        QKeyEvent event(type, Qt::Key_unknown, Qt::NoModifier, scanCode, 0, 0);
        QCoreApplication::sendEvent(this, &event);
    }
};

class ShippedBrailleTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetBrailleTable();
        Braille() = BrailleState();
        KeyStateTracker::instance().install();
        KeyStateTracker::instance().clear();
        QFile file(QStringLiteral(VELTRA_RESOURCES_DIR "/czech.vbt"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        env.writeFile(QStringLiteral("czech.vbt"), file.readAll());
        BrailleTable().brailletablefile = QStringLiteral("czech.vbt");
        LoadBrailleTable();
    }
    void TearDown() override
    {
        ResetBrailleTable();
        Braille() = BrailleState();
    }

    TestEnvironment env;
    ChordTypist typist;
};

// Standard Czech six-dot braille.
struct Letter {
    const char* small;
    const char* capital;
    const char* dots;
};

class CzechLetter : public ShippedBrailleTable, public ::testing::WithParamInterface<Letter> {};

TEST_P(CzechLetter, TypesTheSmallLetterAndAfterTheCapitalSignTheCapital)
{
    const Letter& l = GetParam();
    EXPECT_EQ(typist.Type(l.dots), QString::fromUtf8(l.small));
    EXPECT_EQ(typist.Type("6"), QString());
    EXPECT_EQ(typist.Type(l.dots), QString::fromUtf8(l.capital));
    // The capital sign was used up by that one letter.
    EXPECT_EQ(typist.Type(l.dots), QString::fromUtf8(l.small));
}

INSTANTIATE_TEST_SUITE_P(
    Letters, CzechLetter,
    ::testing::Values(
        Letter{"a", "A", "1"}, Letter{"á", "Á", "16"}, Letter{"b", "B", "12"}, Letter{"c", "C", "14"},
        Letter{"č", "Č", "146"}, Letter{"d", "D", "145"}, Letter{"ď", "Ď", "1456"},
        Letter{"e", "E", "15"}, Letter{"é", "É", "345"}, Letter{"ě", "Ě", "126"},
        Letter{"f", "F", "124"}, Letter{"g", "G", "1245"}, Letter{"h", "H", "125"},
        Letter{"i", "I", "24"}, Letter{"í", "Í", "34"}, Letter{"j", "J", "245"},
        Letter{"k", "K", "13"}, Letter{"l", "L", "123"}, Letter{"m", "M", "134"},
        Letter{"n", "N", "1345"}, Letter{"ň", "Ň", "1246"}, Letter{"o", "O", "135"},
        Letter{"ó", "Ó", "246"}, Letter{"p", "P", "1234"}, Letter{"q", "Q", "12345"},
        Letter{"r", "R", "1235"}, Letter{"ř", "Ř", "2456"}, Letter{"s", "S", "234"},
        Letter{"š", "Š", "156"}, Letter{"t", "T", "2345"}, Letter{"ť", "Ť", "1256"},
        Letter{"u", "U", "136"}, Letter{"ú", "Ú", "346"}, Letter{"ů", "Ů", "23456"},
        Letter{"v", "V", "1236"}, Letter{"w", "W", "12356"}, Letter{"x", "X", "1346"},
        Letter{"y", "Y", "13456"}, Letter{"ý", "Ý", "12346"}, Letter{"z", "Z", "1356"},
        Letter{"ž", "Ž", "2346"}),
    [](const auto& info) {
        // Test names must be ASCII: name the letter by its position.
        return "Letter" + std::to_string(info.index + 1) + "_" + info.param.dots;
    });

struct Typed {
    const char* name;
    std::vector<const char*> chords;
    const char* text;
};

class ShippedTableTyping : public ShippedBrailleTable, public ::testing::WithParamInterface<Typed> {};

TEST_P(ShippedTableTyping, ProducesTheText)
{
    QString text;
    for (const char* chord : GetParam().chords)
        text += typist.Type(chord);
    EXPECT_EQ(text, QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ShippedTableTyping,
    ::testing::Values(
        Typed{"AllDigitsAfterTheNumberSign",
              {"3456", "1", "12", "14", "145", "15", "124", "1245", "125", "24", "245"},
              "1234567890"},
        Typed{"DecimalNumber", {"3456", "14", "2", "15"}, "3,5"},
        Typed{"NumberModeEndsAtSpace", {"3456", "12", " ", "12"}, "2 b"},
        Typed{"Word", {"6", "1234", "135", "2456", "16", "145"}, "Pořád"},
        Typed{"Sentence", {"6", "145", "135", "12", "1235", "16", "2", " ", "1", "1345", "135", "26", "235"},
              "Dobrá, ano?!"},
        Typed{"Punctuation", {"25", "23", "36", "236", "356", "2356", "4", "35", "256", "12456", "456"},
              ":;-()\"'*+/|"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
