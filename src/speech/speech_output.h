#pragma once
// The speech operations everyone uses, and the speech flags.
//
// Two back-ends, chosen by Settings().sapi5 at each call: the chosen-voice
// engine (a voice, pitch, speed and volume picked in the voice dialog) and
// the desktop voice. The engine objects are in speech/speech_engines.h.
#include "speech/tts_interfaces.h"

#include <QString>

#include <functional>

struct SpeechState {
    // Keys may be echoed and speech may be stopped.
    bool SpeechReady = false;
    // The chosen-voice engine's audio is playing (set by AudioStart, cleared by AudioStop).
    bool TtsAudioActive = false;
    // A desktop-voice stream is in progress.
    bool Sapi5Busy = false;
};

SpeechState& Speech();

// Releases every chosen-voice object and the selected mode record, then creates
// the audio destination and the voice enumerator; never reports a failure (a
// maker that fails leaves its object null). The first call also registers the
// speech shut-down with the program's shutdown hooks.
void InitSpeechEngine();
// Whether InitSpeechEngine could create the voice enumerator.
bool VoiceEnumeratorExists();

// Speaks the text and returns when it has been spoken (or at once when
// nothing is spoken). Event handlers run during the wait; the wait ends when
// a stop clears the flag it waits on.
void SpeakAndWait(const QString& text);
// Queues the text and returns at once.
void SpeakNoWait(const QString& text);
// Silences the voice at once and drops whatever is queued.
void StopSpeech();

// The chosen-voice engine alone: TextData of the text, then the wait on
// TtsAudioActive, exactly as SpeakAndWait does, but without looking at
// voiceallowed. Nothing when no engine is held. (Key echo speaks this way.)
void ChosenVoiceSpeakAndWait(const QString& text);

// The desktop voice's Speak with its flags (SVSFlagsAsync, SVSFPurgeBeforeSpeak,
// SVSFIsXML of speech/tts_interfaces.h); returns at once with SVSFlagsAsync.
// Nothing when no desktop voice exists. A failure code is raised.
void DesktopVoiceSpeak(const QString& text, int flags);

// Processes the pending events once, then waits (without using the CPU)
// for events while the condition holds. Handlers run inside; such waits nest.
void WaitWhile(const std::function<bool()>& condition);
// The same while the flag is set.
void WaitWhileSet(const bool& flag);

// The speech set-up of the voice dialog's creation: connects the desktop
// voice (its event interests deliver StartStream and EndStream to the two
// handlers below) and creates the notification sink. Never fails: a desktop
// voice that cannot be made stays null (and silent), the sink is created anyway.
void SetUpVoiceDialogSpeech();

// The desktop voice's stream events (the voice dialog's voice5 component).
// Both ignore their arguments.
void voice5StartStream(long streamNumber, long long streamPosition);
void voice5EndStream(long streamNumber, long long streamPosition);
