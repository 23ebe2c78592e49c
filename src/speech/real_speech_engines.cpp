#include "speech/speech_engines.h"

SpeechEngineFactory RealSpeechEngineFactory() { return SpeechEngineFactory{}; }
