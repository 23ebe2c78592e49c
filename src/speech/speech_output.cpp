#include "speech/speech_output.h"

namespace {
SpeechState g_speech;
}

SpeechState& Speech() { return g_speech; }

void InitSpeechEngine() {}
bool VoiceEnumeratorExists() { return false; }

void SpeakAndWait(const QString&) {}
void SpeakNoWait(const QString&) {}
void StopSpeech() {}

void ChosenVoiceSpeakAndWait(const QString&) {}
void DesktopVoiceSpeak(const QString&, int) {}
