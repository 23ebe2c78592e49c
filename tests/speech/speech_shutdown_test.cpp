// The orderly end of speech: engines released, the espeak-ng worker stopped
// and joined (also mid-synthesis), the audio device closed; all through the
// program's shutdown hooks, and speech can start again afterwards.
#include "shell/cp1250.h"
#include "shell/ui_services.h"
#include "speech/audio_mixer.h"
#include "speech/audio_output.h"
#include "speech/espeak_engine.h"
#include "speech/espeak_worker.h"
#include "speech/mixer_audio_destination.h"
#include "speech/sound_device.h"
#include "speech/speech_engines.h"
#include "speech/speech_output.h"
#include "speech/speech_shutdown.h"
#include "testsupport/scripted_speech.h"
#include "testsupport/test_environment.h"

#include <gtest/gtest.h>

namespace {

TEST(SpeechShutdown, HooksReleaseEnginesStopTheWorkerAndCloseAudio) {
    TestEnvironment env;
    ScriptedSpeech script;
    InitSpeechEngine(); // registers the speech shut-down
    SetUpVoiceDialogSpeech();
    ASSERT_TRUE(EspeakWorker::Instance().Start());
    OpenAudioOutput();
    ASSERT_TRUE(AudioOutput().IsOpen());
    // Synthesis in progress when the end comes: a long text on a mixer nobody plays.
    AudioMixer mixer;
    auto destination = std::make_shared<MixerAudioDestination>(mixer);
    auto engine =
        std::make_shared<EspeakEngine>(EspeakWorker::Instance().Voices().front(), destination);
    engine->TextData(ToCp1250(QStringLiteral("Dlouhý text k předčítání. ").repeated(200)));

    RunShutdownHooks();

    EXPECT_FALSE(EspeakWorker::Instance().Running());
    EXPECT_FALSE(AudioOutput().IsOpen());
    EXPECT_EQ(SpeechEngines().enumerator, nullptr);
    EXPECT_EQ(SpeechEngines().voice5, nullptr);
    EXPECT_EQ(SpeechEngines().sink, nullptr);
    // Speech starts again after an end (tests and a restarted start-up rely on it).
    EXPECT_TRUE(EspeakWorker::Instance().Start());
    EXPECT_FALSE(EspeakWorker::Instance().Voices().empty());
}

TEST(SpeechShutdown, RepeatedEndIsHarmless) {
    ShutdownSpeech();
    ShutdownSpeech();
    EXPECT_FALSE(EspeakWorker::Instance().Running());
    EXPECT_FALSE(AudioOutput().IsOpen());
}

} // namespace
