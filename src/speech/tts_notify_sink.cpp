#include "speech/tts_notify_sink.h"

#include "speech/speech_output.h"

HRESULT TTTSNotifySink::AttribChanged(DWORD) {
    return S_OK;
}

HRESULT TTTSNotifySink::AudioStart(QWORD) {
    Speech().TtsAudioActive = true;
    return S_OK;
}

HRESULT TTTSNotifySink::AudioStop(QWORD) {
    Speech().TtsAudioActive = false;
    return S_OK;
}

HRESULT TTTSNotifySink::Visual(QWORD, char, char, DWORD, const void*) {
    return S_OK;
}
