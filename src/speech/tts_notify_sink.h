#pragma once
// The program's notification sink: the chosen-voice engine reports through it
// that its audio starts and stops, which sets and clears TtsAudioActive.
#include "speech/tts_interfaces.h"

class TTTSNotifySink : public ITTSNotifySinkA {
public:
    HRESULT AttribChanged(DWORD attribute) override;
    HRESULT AudioStart(QWORD timeStamp) override;
    HRESULT AudioStop(QWORD timeStamp) override;
    HRESULT Visual(QWORD timeStamp, char cIPAPhoneme, char cEnginePhoneme, DWORD hints,
                   const void* mouth) override;
};
