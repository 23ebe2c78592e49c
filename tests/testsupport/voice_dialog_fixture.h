#pragma once
// A voice dialog created as at start-up over the scripted speech engine, in a
// test directory, with helpers that read what the engine was told.
#include "speech/tform4.h"
#include "testsupport/scripted_speech.h"
#include "testsupport/test_environment.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct VoiceDialogSetup {
    // The voices the scripted enumerator lists (the default three when unset).
    std::optional<std::vector<ScriptedMode>> modes;
    // The ini file's content before start-up (none when empty).
    QByteArray ini;
    int language = 2000;
    bool failVoice = false;
    bool failEnumerator = false;
};

// A set-up with just these voices.
VoiceDialogSetup WithVoices(std::vector<ScriptedMode> modes);

class VoiceDialogFixture {
public:
    explicit VoiceDialogFixture(const VoiceDialogSetup& setup = {});
    ~VoiceDialogFixture();

    TestEnvironment env;
    ScriptedSpeech speech;
    std::unique_ptr<TForm4> dialog;

    // The [Voice] key as stored in the ini file ("" when absent).
    QString Stored(const char* key) const;
};

// Texts handed to the chosen-voice engine, in order.
std::vector<std::string> SpokenTexts(const ScriptedSpeech& speech);
// Control tags injected, in order.
std::vector<std::string> InjectedTags(const ScriptedSpeech& speech);
// The names of the modes selected as engines, in order.
std::vector<std::string> SelectedEngines(const ScriptedSpeech& speech);
std::vector<std::string> Std(const QStringList& list);

// Runs driver once the dialog is shown (and has made its opening
// announcement), from inside its modal loop. The driver must close the
// dialog; one left open is a failure and is closed.
void WhenAnnounced(TForm4& dialog, std::function<void()> driver);
// Sends a key press and release to the dialog's focused control.
void PressKey(QDialog& dialog, Qt::Key key, int times = 1);
