#pragma once
// The speech operations everyone uses, and the speech flags.
#include <QString>

struct SpeechState {
    // Keys may be echoed and speech may be stopped.
    bool SpeechReady = false;
    // The chosen-voice engine's audio is playing (set by AudioStart, cleared by AudioStop).
    bool TtsAudioActive = false;
    // A desktop-voice stream is in progress.
    bool Sapi5Busy = false;
};

SpeechState& Speech();

// Creates the chosen-voice enumerator and audio destination; never reports a failure.
void InitSpeechEngine();
// Whether InitSpeechEngine could create the voice enumerator.
bool VoiceEnumeratorExists();

void SpeakAndWait(const QString& text);
void SpeakNoWait(const QString& text);
void StopSpeech();

// The chosen-voice engine alone: TextData of the text, then the wait on
// TtsAudioActive, exactly as SpeakAndWait does, but without looking at
// voiceallowed. Nothing when no engine is held. (Key echo speaks this way.)
void ChosenVoiceSpeakAndWait(const QString& text);

// The desktop voice's Speak with its flags; returns at once with SVSFlagsAsync.
constexpr int SVSFlagsAsync = 1;
constexpr int SVSFPurgeBeforeSpeak = 2;
constexpr int SVSFIsXML = 8;
void DesktopVoiceSpeak(const QString& text, int flags);
