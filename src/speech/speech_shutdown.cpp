#include "speech/speech_shutdown.h"

#include "shell/ui_services.h"
#include "speech/audio_output.h"
#include "speech/espeak_worker.h"
#include "speech/speech_engines.h"
#include "speech/speech_transcript.h"

void RegisterSpeechShutdownOnce() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    AddShutdownHook(ShutdownSpeech);
}

void ShutdownSpeech() {
    // Engines first (the desktop voice closes its daemon connection, with a
    // time limit), then the thread they synthesise on, then the device that
    // plays what they queued.
    ReleaseSpeechEngines();
    EspeakWorker::Instance().Stop();
    CloseAudioOutput();
    CloseSpeechTranscript();
}
