#include "speech/speech_engines.h"

#include "speech/speech_output.h"

namespace {
SpeechEngineState g_engines;
SpeechEngineFactory g_factory;
bool g_factoryInstalled = false;
} // namespace

SpeechEngineState& SpeechEngines() {
    return g_engines;
}

SpeechEngineFactory CurrentSpeechEngineFactory() {
    return g_factoryInstalled ? g_factory : RealSpeechEngineFactory();
}

void SetSpeechEngineFactory(SpeechEngineFactory factory) {
    g_factoryInstalled =
        factory.createAudioDestination || factory.createEnumerator || factory.createVoice;
    g_factory = std::move(factory);
}

void ReleaseSpeechEngines() {
    // Move out first: releasing an engine may run code that looks at the state.
    SpeechEngineState old = std::move(g_engines);
    g_engines = SpeechEngineState{};
    old = SpeechEngineState{};
    Speech() = SpeechState{};
}
