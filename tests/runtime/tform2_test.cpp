// The input dialog driven for real: shown modally by INPUT, typed into with
// keys, its focus speech, Escape, the close box and the exit button.
#include "input/braille_state.h"
#include "runtime/tform2.h"
#include "runtime_fixture.h"
#include "shell/app_windows.h"
#include "shell/ram_image.h"
#include "shell/resource_localizer.h"
#include "testsupport/file_faults.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {
class InputDialogTest : public RuntimeFixture {
protected:
    void SetUp() override
    {
        RuntimeFixture::SetUp();
        SetInputDialogAnswererForTesting({}); // the real dialog
        dialog = new TForm2;
        dialog->FormCreate();
        Windows().form2 = dialog;
        script.log.clear();
    }
    void TearDown() override
    {
        Windows().form2 = nullptr;
        delete dialog;
        RuntimeFixture::TearDown();
    }

    // Runs INPUT while the driver works the shown dialog like a user.
    double Input(uint8_t mode, double before, std::function<void()> driver)
    {
        QTimer::singleShot(0, dialog, [this, driver] {
            if (!QTest::qWaitFor([this] { return dialog->isActiveWindow() &&
                                                 dialog->focusWidget() == dialog->inputedit; })) {
                ADD_FAILURE() << "the dialog did not open with the focus in the edit box";
                dialog->close();
                return;
            }
            driver();
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the driver left the dialog open";
                dialog->close();
            }
        });
        double variable = before;
        InputNumber(variable, mode);
        return variable;
    }

    void Key(QWidget* target, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(target, key, mods);
    }
    QWidget* Focused() const { return dialog->focusWidget(); }

    TForm2* dialog = nullptr;
};

TEST_F(InputDialogTest, CreationSetsTheCaptionsAndForgetsTheSavedPrefix)
{
    Braille().brlsavedprefix = QStringLiteral("#cap");
    SetCurrentLanguage(2000);
    dialog->FormCreate();
    EXPECT_EQ(dialog->windowTitle(), "Enter data");
    EXPECT_EQ(dialog->Enterbitbtn->text(), "&OK");
    EXPECT_EQ(dialog->exitprogrambtn->text(), "E&xit program");
    EXPECT_EQ(Braille().brlsavedprefix, QString());
    SetCurrentLanguage(1000);
}

TEST_F(InputDialogTest, TypedLineConfirmedWithEnterIsTheNumber)
{
    const double value = Input(0, 5, [this] {
        QTest::keyClicks(dialog->inputedit, QStringLiteral("1,7"));
        Key(dialog->inputedit, Qt::Key_Return);
    });
    EXPECT_EQ(value, 1);
    EXPECT_EQ(Runtime().pendinginput, "7");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(Heard(), QStringList()) << "opening and confirming say nothing";
}

TEST_F(InputDialogTest, EachShowingStartsWithAnEmptyBoxAndTheFocusInIt)
{
    Input(0, 5, [this] {
        QTest::keyClicks(dialog->inputedit, QStringLiteral("99"));
        Key(dialog->inputedit, Qt::Key_Tab); // focus left on the OK button
        Key(Focused(), Qt::Key_Space);       // pressing it
    });
    script.log.clear();
    QString textAtOpening = QStringLiteral("unset");
    const double value = Input(0, 5, [&] {
        textAtOpening = dialog->inputedit->text();
        QTest::keyClicks(dialog->inputedit, QStringLiteral("4"));
        Key(dialog->inputedit, Qt::Key_Enter);
    });
    EXPECT_EQ(textAtOpening, QString());
    EXPECT_EQ(value, 4);
    EXPECT_EQ(Heard(), QStringList()) << "the second opening is silent too";
}

TEST_F(InputDialogTest, EscapeDoesNotCloseTheDialog)
{
    bool visibleAfterEscape = false;
    const double value = Input(0, 5, [&] {
        QTest::keyClicks(dialog->inputedit, QStringLiteral("3"));
        Key(dialog->inputedit, Qt::Key_Escape);
        Key(dialog, Qt::Key_Escape);
        visibleAfterEscape = dialog->isVisible();
        Key(dialog->inputedit, Qt::Key_Return);
    });
    EXPECT_TRUE(visibleAfterEscape);
    EXPECT_EQ(value, 3) << "the typed line survives Escape";
}

TEST_F(InputDialogTest, TheCloseBoxDeliversNoNumber)
{
    Braille().brlprefix = QStringLiteral("#cap");
    Braille().brlsavedprefix = QStringLiteral("#num");
    QString prefixWhileOpen = QStringLiteral("unset");
    const double value = Input(0, 5, [&] {
        prefixWhileOpen = Braille().brlprefix;
        QTest::keyClicks(dialog->inputedit, QStringLiteral("8"));
        Braille().brlprefix = QStringLiteral("#cap");
        dialog->close();
    });
    EXPECT_EQ(value, 5);
    EXPECT_EQ(Runtime().pendinginput, QString());
    EXPECT_EQ(prefixWhileOpen, QString()) << "entering the edit box forgets the prefix";
    EXPECT_EQ(Braille().brlprefix, QString()) << "closing forgets the prefix";
    EXPECT_EQ(Braille().brlsavedprefix, "#num") << "the dialog's saved prefix survives";
    EXPECT_FALSE(Runtime().dialogentered);
    EXPECT_EQ(Heard(), QStringList());
}

TEST_F(InputDialogTest, MovingTheFocusSpeaksEachControl)
{
    Input(0, 5, [this] {
        Key(dialog->inputedit, Qt::Key_Tab);
        Key(Focused(), Qt::Key_Tab);
        Key(Focused(), Qt::Key_Tab); // round to the empty edit box
        QTest::keyClicks(dialog->inputedit, QStringLiteral("12"));
        Key(dialog->inputedit, Qt::Key_Backtab);
        Key(Focused(), Qt::Key_Backtab);
        Key(Focused(), Qt::Key_Backtab); // back to the edit box with text
        Key(dialog->inputedit, Qt::Key_Return);
    });
    EXPECT_EQ(Heard(), (QStringList{"stop", "say &Ok", "stop", "say U&končit program", "stop",
                                    "say prázdný řádek", "stop", "say U&končit program", "stop",
                                    "say &Ok", "stop", "say 12"}));
    EXPECT_FALSE(Runtime().dialogentered) << "closing resets it for the next opening";
}

TEST_F(InputDialogTest, ReactivatingTheWindowIsNotAnEnter)
{
    QStringList heardAfterReactivation = {QStringLiteral("unset")};
    Input(0, 5, [&] {
        Key(dialog->inputedit, Qt::Key_Tab); // on the OK button
        script.log.clear();
        QFocusEvent reactivated(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
        QCoreApplication::sendEvent(dialog->Enterbitbtn, &reactivated);
        QCoreApplication::sendEvent(dialog->inputedit, &reactivated);
        heardAfterReactivation = Heard();
        QFocusEvent clicked(QEvent::FocusIn, Qt::MouseFocusReason);
        QCoreApplication::sendEvent(dialog->exitprogrambtn, &clicked);
        dialog->close();
    });
    EXPECT_EQ(heardAfterReactivation, QStringList());
    EXPECT_EQ(Heard(), (QStringList{"stop", "say U&končit program"}));
}

TEST_F(InputDialogTest, TheExitButtonSavesTheRamImageAndEndsTheProgram)
{
    RamImage()[100] = 7;
    Input(0, 5, [this] {
        Key(dialog->inputedit, Qt::Key_Tab);
        Key(Focused(), Qt::Key_Tab);
        Key(Focused(), Qt::Key_Space);
        dialog->close(); // what the test sees after the process "ended"
    });
    EXPECT_EQ(env.endedWith, QList<int>{0});
    const QByteArray saved = env.readFile(QStringLiteral("ram.dat"));
    ASSERT_EQ(saved.size(), kRamSize);
    EXPECT_EQ(saved[100], 7);
    EXPECT_EQ(env.messages, QStringList());
}

TEST_F(InputDialogTest, AFailedSaveIsReportedAndTheDialogStays)
{
    bool visibleAfterClick = false;
    double value = 0;
    {
        ScopedFileSizeLimit full(100);
        value = Input(0, 5, [&] {
            QTest::mouseClick(dialog->exitprogrambtn, Qt::LeftButton);
            visibleAfterClick = dialog->isVisible();
            QTest::keyClicks(dialog->inputedit, QStringLiteral("6"));
            QTest::mouseClick(dialog->Enterbitbtn, Qt::LeftButton);
        });
    }
    EXPECT_EQ(env.messages, QStringList{"Disk full"});
    EXPECT_EQ(env.endedWith, QList<int>());
    EXPECT_TRUE(visibleAfterClick);
    EXPECT_EQ(value, 6);
}
} // namespace
