// The speech transcript: one timestamped line per text, tag and stop handed
// to an engine, named by the back-end, only when VELTRA_SPEECH_LOG is set.
#include "shell/cp1250.h"
#include "speech/audio_mixer.h"
#include "speech/desktop_voice.h"
#include "speech/espeak_engine.h"
#include "speech/espeak_worker.h"
#include "speech/mixer_audio_destination.h"
#include "speech/speech_transcript.h"
#include "testsupport/qstring_printer.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class TranscriptTest : public ::testing::Test {
protected:
    void SetUp() override { qputenv("VELTRA_SPEECH_LOG", path().toLocal8Bit()); }
    void TearDown() override {
        qunsetenv("VELTRA_SPEECH_LOG");
        CloseSpeechTranscript();
    }
    QString path() const { return dir.filePath(QStringLiteral("speech.log")); }

    // The lines written so far, each without its timestamp (which is checked).
    QStringList Lines() const {
        QFile f(path());
        if (!f.open(QIODevice::ReadOnly)) return {};
        static const QRegularExpression stamp(
            QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3} "));
        QStringList out;
        for (const QString& line :
             QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            QRegularExpressionMatch m = stamp.match(line);
            EXPECT_TRUE(m.hasMatch()) << line.toStdString();
            out << line.mid(m.capturedLength());
        }
        return out;
    }

    QTemporaryDir dir;
};

TEST_F(TranscriptTest, EngineTextsTagsAndStopsAreLinesInOrder) {
    ASSERT_TRUE(EspeakWorker::Instance().Start());
    AudioMixer mixer;
    auto destination = std::make_shared<MixerAudioDestination>(mixer);
    auto engine =
        std::make_shared<EspeakEngine>(EspeakWorker::Instance().Voices().front(), destination);

    engine->TextData(ToCp1250(QString::fromUtf8("Žluťoučký kůň")));
    engine->Inject("\\Spd=300\\");
    engine->AudioReset();
    engine->TextData(ToCp1250(QStringLiteral("dva\r\nřádky")));
    engine->AudioReset();
    EspeakWorker::Instance().WaitIdle();

    EXPECT_EQ(Lines().join(QLatin1Char('\n')),
              QString::fromUtf8("[espeak-ng] speak: Žluťoučký kůň\n"
                                "[espeak-ng] tag: \\Spd=300\\\n"
                                "[espeak-ng] stop: \n"
                                "[espeak-ng] speak: dva\\r\\nřádky\n"
                                "[espeak-ng] stop: "));
}

TEST_F(TranscriptTest, DesktopVoiceTextsAndPurges) {
    AudioMixer mixer;
    DesktopVoiceOptions options;
    options.useSpeechd = false;
    options.destination = std::make_shared<MixerAudioDestination>(mixer);
    options.localeName = QStringLiteral("cs_CZ");
    std::shared_ptr<StreamVoice> voice = CreateDesktopVoice(options);
    voice->Speak(QStringLiteral("ahoj"), SVSFlagsAsync);
    QCoreApplication::processEvents(); // the stream begins
    voice->Speak(QString(), SVSFPurgeBeforeSpeak);
    EspeakWorker::Instance().WaitIdle();

    EXPECT_EQ(Lines().join(QLatin1Char('\n')),
              QStringLiteral("[espeak-ng desktop] speak: ahoj\n[desktop voice] stop: "));
}

TEST_F(TranscriptTest, NothingIsWrittenWithoutTheVariable) {
    qunsetenv("VELTRA_SPEECH_LOG");
    TranscribeSpeech(QStringLiteral("espeak-ng"), QStringLiteral("speak"), QStringLiteral("ahoj"));
    EXPECT_FALSE(QFile::exists(path()));
}

// Lines go to the file named now: a new name starts a new file.
TEST_F(TranscriptTest, FollowsTheNamedFile) {
    TranscribeSpeech(QStringLiteral("a"), QStringLiteral("speak"), QStringLiteral("jedna"));
    const QString other = dir.filePath(QStringLiteral("other.log"));
    qputenv("VELTRA_SPEECH_LOG", other.toLocal8Bit());
    TranscribeSpeech(QStringLiteral("b"), QStringLiteral("speak"), QStringLiteral("dva"));
    qputenv("VELTRA_SPEECH_LOG", path().toLocal8Bit());
    TranscribeSpeech(QStringLiteral("c"), QStringLiteral("stop"));
    EXPECT_EQ(Lines().join(QLatin1Char('\n')), QStringLiteral("[a] speak: jedna\n[c] stop: "));
}

} // namespace
