#include "input/key_codes.h"
#include "input/key_state.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

struct KeyCase {
    const char* name;
    int qtKey;
    int virtualKey;
};

class KeyMapping : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyMapping, GivesTheVirtualKeyCode)
{
    EXPECT_EQ(VirtualKeyFromQtKey(GetParam().qtKey), GetParam().virtualKey);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyMapping,
    ::testing::Values(KeyCase{"LetterF", Qt::Key_F, 70}, KeyCase{"LetterL", Qt::Key_L, 76},
                      KeyCase{"Digit0", Qt::Key_0, 48}, KeyCase{"Space", Qt::Key_Space, 32},
                      KeyCase{"Up", Qt::Key_Up, 38}, KeyCase{"Down", Qt::Key_Down, 40},
                      KeyCase{"Left", Qt::Key_Left, 37}, KeyCase{"Right", Qt::Key_Right, 39},
                      KeyCase{"Home", Qt::Key_Home, 36}, KeyCase{"End", Qt::Key_End, 35},
                      KeyCase{"Backspace", Qt::Key_Backspace, 8},
                      KeyCase{"Delete", Qt::Key_Delete, 46}, KeyCase{"Escape", Qt::Key_Escape, 27},
                      KeyCase{"Return", Qt::Key_Return, 13}, KeyCase{"KeypadEnter", Qt::Key_Enter, 13},
                      KeyCase{"F1", Qt::Key_F1, 112}, KeyCase{"F4", Qt::Key_F4, 115},
                      KeyCase{"F24", Qt::Key_F24, 135}, KeyCase{"Slash", Qt::Key_Slash, 191},
                      KeyCase{"QuestionMark", Qt::Key_Question, 191},
                      KeyCase{"Unmapped", Qt::Key_Launch0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

namespace {
QKeyEvent Key(QEvent::Type type, int key, quint32 scanCode, bool autoRepeat = false)
{
    return QKeyEvent(type, key, Qt::NoModifier, scanCode, 0, 0, QString(), autoRepeat);
}
} // namespace

TEST(KeyState, TracksPhysicalKeysByScanCodeEvenWhenTheKeyCodeChanges)
{
    KeyStateTracker& t = KeyStateTracker::instance();
    t.clear();
    // Press "1", press Shift, release reports "!" (the scan code stays).
    t.record(Key(QEvent::KeyPress, Qt::Key_1, 10));
    EXPECT_TRUE(t.isDown(10, Qt::Key_1));
    t.record(Key(QEvent::KeyRelease, Qt::Key_Exclam, 10));
    EXPECT_FALSE(t.isDown(10, Qt::Key_1));

    t.record(Key(QEvent::KeyPress, Qt::Key_F, scancode::F));
    t.record(Key(QEvent::KeyPress, Qt::Key_J, scancode::J));
    EXPECT_TRUE(t.isDown(scancode::F, Qt::Key_F));
    EXPECT_TRUE(t.isDown(scancode::J, Qt::Key_J));
    EXPECT_FALSE(t.isDown(scancode::D, Qt::Key_D));
    // X repeats a held key as release+press pairs flagged auto-repeat: ignored.
    t.record(Key(QEvent::KeyRelease, Qt::Key_F, scancode::F, true));
    EXPECT_TRUE(t.isDown(scancode::F, Qt::Key_F));
    t.clear();
    EXPECT_FALSE(t.isDown(scancode::J, Qt::Key_J));
}

TEST(KeyState, FallsBackToTheKeyCodeWithoutScanCodes)
{
    KeyStateTracker& t = KeyStateTracker::instance();
    t.clear();
    t.record(Key(QEvent::KeyPress, Qt::Key_S, 0));
    EXPECT_TRUE(t.isDown(scancode::S, Qt::Key_S));
    t.record(Key(QEvent::KeyRelease, Qt::Key_S, 0));
    EXPECT_FALSE(t.isDown(scancode::S, Qt::Key_S));
}
