#include "speech/speech_shutdown.h"

#include "shell/ui_services.h"
#include "speech/speech_engines.h"

void RegisterSpeechShutdownOnce()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    AddShutdownHook(ShutdownSpeech);
}

void ShutdownSpeech()
{
    ReleaseSpeechEngines();
}
