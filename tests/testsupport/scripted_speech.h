#pragma once
// A scripted speech engine for tests, in both engine shapes: an enumerator of
// voice modes with chosen-voice engines, and a desktop voice. It makes no
// sound. Every call is written to `log` (with the attribute values in force
// for a TextData), utterances and streams last as long as the test says and
// report their end through the Qt event loop, every purged stream gets its
// end event, and any call can be made to fail with a chosen code.
//
// Creating a ScriptedSpeech installs it as what InitSpeechEngine and the voice
// dialog's speech set-up create; destroying it releases every engine object
// and restores the real engines. One at a time.
#include "speech/tts_interfaces.h"

#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <vector>

// One attribute of a scripted mode: its range and starting value.
struct ScriptedAttribute {
    bool implemented = true;
    uint32_t low = 0;
    uint32_t high = 0;
    uint32_t initial = 0;
};

struct ScriptedMode {
    QString name;
    GUID id;
    ScriptedAttribute speed{true, 50, 350, 150};
    ScriptedAttribute pitch{true, 60, 200, 100};
    ScriptedAttribute volume{true, 0, 0xFFFF, 0xFFFF};
};

class ScriptedChosenEngine;

class ScriptedSpeech {
public:
    // The duration that holds an utterance or stream until the test ends it.
    static constexpr int kHold = -1;

    ScriptedSpeech();
    ~ScriptedSpeech();
    ScriptedSpeech(const ScriptedSpeech&) = delete;
    ScriptedSpeech& operator=(const ScriptedSpeech&) = delete;

    // The voice modes the enumerator lists, in order (three by default:
    // "Jakub", "Eliska", "Tom"; ids derived from the names).
    std::vector<ScriptedMode> modes;
    static ScriptedMode Mode(const QString& name);

    // Every call, in order. Forms (texts in quotes):
    //   Reset | Next | Select <mode name> | TextData "<text>" speed=S pitch=P volume=V
    //   Inject "<tag>" | AudioReset | Register key=K | UnRegister key=K | QueryAttributes
    //   SpeedGet | SpeedSet N | PitchGet | PitchSet N | VolumeGet | VolumeSet N
    //   Speak "<text>" flags=F | Begin "<text>" | Cancel
    // and the notifications: -> AudioStart | -> AudioStop as they are posted,
    // -> StartStream N | -> EndStream N as they are delivered.
    QStringList log;
    // The entries that start with the prefix.
    QStringList Calls(const QString& prefix) const;

    // Milliseconds an utterance (chosen voice) or a stream (desktop voice)
    // plays; kHold keeps it playing until Finish...; 0 = no sound at all.
    std::function<int(const QString& text)> duration = [](const QString&) { return 5; };

    // Calls that return a failure code instead of working, by name as logged
    // ("TextData", "AudioReset", "Speak", "Select", "Next", ...). The call is
    // still logged.
    std::map<QString, HRESULT> failures;
    // Makers that fail (InitSpeechEngine / the voice dialog's set-up then get null).
    bool failAudioDestination = false;
    bool failEnumerator = false;
    bool failVoice = false;

    // Ends the held utterance of the most recent chosen-voice engine / the
    // held stream of the desktop voice now.
    void FinishUtterance();
    void FinishStream();
    // The attribute values the most recent engine has in force.
    uint32_t Speed() const;
    uint32_t Pitch() const;
    uint32_t Volume() const;

    // Internal: failure code for a call (S_OK when none).
    HRESULT FailureFor(const QString& call) const;
    std::weak_ptr<ScriptedChosenEngine> lastEngine;
    std::function<void()> finishStream;
};
