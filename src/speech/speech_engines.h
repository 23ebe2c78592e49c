#pragma once
// The speech engine objects the program holds, in one place: the chosen-voice
// enumerator, its audio destination, the engine selected from it with its
// attributes, the selected mode record, the notification sink with its
// registration key, and the desktop voice. The speech operations, the voice
// selection and the voice dialog read and replace them here.
//
// All of it lives on the GUI thread.
#include "speech/tts_interfaces.h"

#include <functional>
#include <memory>
#include <optional>

struct SpeechEngineState {
    // Created by InitSpeechEngine; null when that failed (no chosen voices).
    std::shared_ptr<IAudioMultiMediaDevice> audioDestination;
    std::shared_ptr<ITTSEnumA> enumerator;
    // The chosen-voice engine and its attributes, held once a voice has been
    // selected; null until then.
    std::shared_ptr<ITTSCentralA> engine;
    std::shared_ptr<ITTSAttributesA> attributes;
    // The program's copy of the chosen voice's mode record.
    std::optional<TTSMODEINFOA> selectedMode;
    // The one notification sink, created by the voice dialog's speech set-up,
    // and the key Register returned for it on the current engine.
    std::shared_ptr<ITTSNotifySinkA> sink;
    DWORD sinkKey = 0;
    // The desktop voice (the voice dialog's voice5 component); created and
    // connected by the voice dialog's speech set-up.
    std::shared_ptr<ISpeechVoice> voice5;
};

SpeechEngineState& SpeechEngines();

// How the engine objects are made. InitSpeechEngine and the voice dialog's
// speech set-up use it; a maker that returns null means "could not be created".
struct SpeechEngineFactory {
    std::function<std::shared_ptr<IAudioMultiMediaDevice>()> createAudioDestination;
    std::function<std::shared_ptr<ITTSEnumA>()> createEnumerator;
    std::function<std::shared_ptr<ISpeechVoice>()> createVoice;
};

// The factory in use: the installed one, else the real engines (espeak-ng
// and the desktop voice).
SpeechEngineFactory CurrentSpeechEngineFactory();
// Installs a factory (tests install the scripted engine); an empty factory
// restores the real engines.
void SetSpeechEngineFactory(SpeechEngineFactory factory);
// The real engines' factory; defined with them.
SpeechEngineFactory RealSpeechEngineFactory();

// Releases every engine object, the sink and the desktop voice, and clears
// the speech flags: the state before start-up. For tests and for shut-down.
void ReleaseSpeechEngines();
