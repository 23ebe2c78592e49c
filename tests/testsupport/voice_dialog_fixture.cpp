#include "testsupport/voice_dialog_fixture.h"

#include "shell/app_windows.h"
#include "shell/ini_file.h"
#include "shell/resource_localizer.h"
#include "shell/settings.h"
#include "speech/speech_output.h"

#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

VoiceDialogSetup WithVoices(std::vector<ScriptedMode> modes)
{
    VoiceDialogSetup setup;
    setup.modes = std::move(modes);
    return setup;
}

VoiceDialogFixture::VoiceDialogFixture(const VoiceDialogSetup& setup)
{
    if (setup.modes)
        speech.modes = *setup.modes;
    speech.failVoice = setup.failVoice;
    speech.failEnumerator = setup.failEnumerator;
    if (!setup.ini.isEmpty())
        env.writeFile(QStringLiteral("veltrabasic.ini"), setup.ini);
    SetCurrentLanguage(setup.language);
    InitSpeechEngine();
    dialog = std::make_unique<TForm4>();
    dialog->FormCreate();
    Windows().form4 = dialog.get();
}

VoiceDialogFixture::~VoiceDialogFixture()
{
    Windows().form4 = nullptr;
    dialog.reset();
    SetCurrentLanguage(1000);
}

QString VoiceDialogFixture::Stored(const char* key) const
{
    return IniFile(env.iniPath())
        .ReadString(QStringLiteral("Voice"), QString::fromLatin1(key), QString());
}

namespace {
std::vector<std::string> Captured(const ScriptedSpeech& speech, const QString& pattern)
{
    const QRegularExpression re(pattern);
    std::vector<std::string> out;
    for (const QString& entry : speech.log) {
        QRegularExpressionMatch m = re.match(entry);
        if (m.hasMatch())
            out.push_back(m.captured(1).toStdString());
    }
    return out;
}
} // namespace

std::vector<std::string> SpokenTexts(const ScriptedSpeech& speech)
{
    return Captured(speech, QStringLiteral("^TextData \"(.*)\" speed="));
}

std::vector<std::string> InjectedTags(const ScriptedSpeech& speech)
{
    return Captured(speech, QStringLiteral("^Inject \"(.*)\"$"));
}

std::vector<std::string> SelectedEngines(const ScriptedSpeech& speech)
{
    return Captured(speech, QStringLiteral("^Select (.*)$"));
}

std::vector<std::string> Std(const QStringList& list)
{
    std::vector<std::string> out;
    for (const QString& s : list)
        out.push_back(s.toStdString());
    return out;
}

void WhenAnnounced(TForm4& dialog, std::function<void()> driver)
{
    QTimer::singleShot(0, &dialog, [&dialog, driver] {
        if (!dialog.isVisible()) {
            WhenAnnounced(dialog, driver); // not shown yet: look again
            return;
        }
        // The time limit only keeps a broken dialog from hanging the tests.
        if (!QTest::qWaitFor(
                [&] { return dialog.VoiceDialogAnnounced && dialog.focusWidget(); }, 20000)) {
            ADD_FAILURE() << "the voice dialog made no opening announcement";
            dialog.reject();
            return;
        }
        driver();
        // A button's accelerator clicks it a moment later (its press is animated).
        if (!QTest::qWaitFor([&] { return !dialog.isVisible(); }, 20000)) {
            ADD_FAILURE() << "the voice dialog stayed open";
            dialog.reject();
        }
    });
}

void PressKey(QDialog& dialog, Qt::Key key, int times)
{
    for (int i = 0; i < times; ++i)
        QTest::keyClick(dialog.focusWidget(), key);
}
