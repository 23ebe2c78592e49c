#include "speech/voice_preparation.h"

#include "shell/app_windows.h"
#include "shell/settings.h"
#include "speech/speech_output.h"
#include "speech/tform4.h"
#include "speech/voice_selection.h"

#include <QListWidget>

void PrepareVoiceForStart(TForm4& dialog)
{
    if (!Settings().voiceallowed || dialog.voicelist->count() == 0)
        return;
    LoadVoiceSettings(dialog);
    if (!Speech().SpeechReady) {
        SelectEngine(dialog);
        SaveVoiceSettings(dialog);
        LoadVoiceSettings(dialog);
    }
}

void PrepareVoiceForStart()
{
    if (TForm4* dialog = Windows().form4)
        PrepareVoiceForStart(*dialog);
}
