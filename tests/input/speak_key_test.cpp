// Speaking keys by their echo: the capital tone, the echo, the back-ends and
// their order, through the scripted speech engine and the recording wave list.
#include "input/key_echo.h"
#include "input/speak_key.h"

#include "shell/settings.h"
#include "speech/sound_cues.h"
#include "speech/speech_engines.h"
#include "speech/speech_output.h"
#include "speech/tts_result.h"
#include "testsupport/qstring_printer.h"
#include "testsupport/recording_wave_list.h"
#include "testsupport/scripted_speech.h"
#include "testsupport/test_environment.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

// Everything here is local to this test file.
namespace {

const QByteArray kEchoes = "65=ay\n"
                           "97=small ay\n"
                           "142=\x9E" "et\n" // Ž
                           "32=\n";

enum class Backend { Chosen, Desktop };

struct SpeakCase {
    const char* name;
    Backend backend;
    bool speechReady;
    bool voiceAllowed;
    bool sounds;
    QString text;
    bool tone;
    const char* spoken; // the echo handed to the engine; nullptr for none
};

void PrintTo(const SpeakCase& c, std::ostream* os) { *os << c.name; }

class SpeakKeyTest : public ::testing::TestWithParam<SpeakCase> {
protected:
    void SetUp() override
    {
        ResetKeyEcho();
        env.writeFile(QStringLiteral("english.eky"), kEchoes);
        KeyEcho().keyechofile = QStringLiteral("english.eky");
        LoadKeyEcho();

        InitSpeechEngine();
        SetUpVoiceDialogSpeech();
        // Select the first scripted voice and register the sink, as choosing a voice does.
        SpeechEngineState& s = SpeechEngines();
        std::shared_ptr<ITTSCentralA> engine;
        CheckResult(s.enumerator->Select(script.modes[0].id, &engine, s.audioDestination));
        s.engine = engine;
        CheckResult(engine->Register(s.sink, &s.sinkKey));
        script.log.clear();
    }
    void TearDown() override
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        ResetKeyEcho();
        Speech() = SpeechState();
    }

    // The wave calls of the tone SpeakKey must play: PlayNotes of the single
    // note 2000 for 20 ms in note set 1, recorded on a list of its own.
    static QStringList ReferenceTone()
    {
        RecordedSoundCues reference;
        PlayNotes({2000}, 20, 1);
        return reference.waves.calls;
    }

    TestEnvironment env;
    ScriptedSpeech script;
};

// What was handed to an engine, without the attribute values.
QString SpeechEntry(const QString& logEntry)
{
    if (logEntry.startsWith(QLatin1String("TextData ")))
        return logEntry.left(logEntry.indexOf(QLatin1String(" speed=")));
    return logEntry;
}

bool IsSpeech(const QString& logEntry)
{
    return logEntry.startsWith(QLatin1String("TextData ")) || logEntry.startsWith(QLatin1String("Speak "));
}

TEST_P(SpeakKeyTest, PlaysTheToneThenSpeaksTheEcho)
{
    const SpeakCase& c = GetParam();
    const QStringList tone = ReferenceTone();
    ASSERT_FALSE(tone.isEmpty());

    Settings().sapi5 = c.backend == Backend::Desktop;
    Settings().voiceallowed = c.voiceAllowed;
    Settings().veltrasounds = c.sounds;
    Speech().SpeechReady = c.speechReady;

    RecordedSoundCues cues;
    // One timeline of sound and speech: each wave call is placed after the
    // engine calls made before it.
    std::vector<std::pair<qsizetype, QString>> waves;
    cues.waves.onCall = [&](const QString& call) { waves.emplace_back(script.log.size(), call); };

    SpeakKey(c.text);

    QStringList timeline;
    size_t w = 0;
    for (qsizetype i = 0; i <= script.log.size(); ++i) {
        for (; w < waves.size() && waves[w].first == i; ++w)
            timeline << waves[w].second;
        if (i < script.log.size() && IsSpeech(script.log[i]))
            timeline << SpeechEntry(script.log[i]);
    }

    QStringList expected = c.tone ? tone : QStringList();
    if (c.spoken) {
        const QString quoted = QLatin1Char('"') + QString::fromUtf8(c.spoken) + QLatin1Char('"');
        expected << (c.backend == Backend::Desktop ? QStringLiteral("Speak %1 flags=9").arg(quoted)
                                                   : QStringLiteral("TextData %1").arg(quoted));
    }
    EXPECT_EQ(timeline, expected);
}

constexpr Backend Chosen = Backend::Chosen, Desktop = Backend::Desktop;

INSTANTIATE_TEST_SUITE_P(
    Keys, SpeakKeyTest,
    ::testing::Values(
        SpeakCase{"CapitalChosenVoice", Chosen, true, false, true, "A", true, "ay"},
        SpeakCase{"CapitalDesktopVoice", Desktop, true, false, true, "A", true, "ay"},
        SpeakCase{"SmallChosenVoice", Chosen, true, false, true, "a", false, "small ay"},
        SpeakCase{"SmallDesktopVoice", Desktop, true, false, true, "a", false, "small ay"},
        SpeakCase{"VoiceAllowedChangesNothing", Chosen, true, true, true, "A", true, "ay"},
        SpeakCase{"CzechCapitalByItsCode", Chosen, true, false, true, QString(QChar(0x017D)), true, "žet"},
        SpeakCase{"TwoCharactersSpeakTheFirstWithoutTone", Chosen, true, false, true, "Aa", false, "ay"},
        SpeakCase{"LongerTextStartingSmall", Desktop, true, false, true, "aA", false, "small ay"},
        SpeakCase{"CapitalWithoutEchoStillTones", Chosen, true, false, true, "B", true, nullptr},
        SpeakCase{"CapitalWithoutEchoTonesOnTheDesktopVoice", Desktop, true, false, true, "B", true, nullptr},
        SpeakCase{"EmptyEchoIsSilent", Chosen, true, false, true, " ", false, nullptr},
        SpeakCase{"NoEntryIsSilent", Desktop, true, false, true, "b", false, nullptr},
        SpeakCase{"CharacterZeroIsSilent", Chosen, true, false, true, QString(QChar(0)), false, nullptr},
        SpeakCase{"EmptyTextIsSilent", Desktop, true, false, true, "", false, nullptr},
        SpeakCase{"SpeechNotReadyNoToneNoEcho", Chosen, false, true, true, "A", false, nullptr},
        SpeakCase{"SpeechNotReadyOnTheDesktopVoice", Desktop, false, true, true, "A", false, nullptr},
        SpeakCase{"SoundsOffSpeakWithoutTone", Chosen, true, false, false, "A", false, "ay"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
