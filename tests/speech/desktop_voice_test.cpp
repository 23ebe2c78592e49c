// The desktop voice with a stand-in speech-dispatcher daemon and without
// one: a daemon that cannot be reached, never answers or stops answering makes
// the same voice speak on espeak-ng, and no stream is left without its end.
// Audio goes to a test mixer rendered on a timer.
#include "speech/audio_mixer.h"
#include "speech/desktop_voice.h"
#include "speech/espeak_worker.h"
#include "speech/mixer_audio_destination.h"
#include "testsupport/fake_speech_daemon.h"
#include "testsupport/qstring_printer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <unistd.h>

namespace {

// A unix socket that takes connections into its backlog and never answers:
// a daemon that hangs. Closing it resets the waiting clients.
class SilentDaemon {
public:
    explicit SilentDaemon(const QString& path) : m_fd(ListenOnUnixSocket(path, 8)) {}
    ~SilentDaemon() {
        if (m_fd >= 0) ::close(m_fd);
    }
    bool ok() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

class DesktopVoiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(EspeakWorker::Instance().Start());
        options.destination = std::make_shared<MixerAudioDestination>(mixer);
        options.localeName = QStringLiteral("cs_CZ");
        options.speechd.commandTimeout = std::chrono::milliseconds(300);
        options.speechd.socketPath = dir.filePath(QStringLiteral("speechd.sock"));
        renderer.setInterval(1);
        QObject::connect(&renderer, &QTimer::timeout, [this] {
            std::vector<float> out(256);
            mixer.Render(out.data(), 256);
            for (float s : out)
                peak = std::max(peak, std::fabs(s));
        });
        renderer.start();
    }

    void TearDown() override {
        voice.reset();
        renderer.stop();
        EspeakWorker::Instance().WaitIdle();
        QCoreApplication::processEvents();
    }

    void MakeVoice() {
        voice = CreateDesktopVoice(options);
        voice->SetStreamHandlers(
            [this](long n, long long) { events << QStringLiteral("start %1").arg(n); },
            [this](long n, long long) { events << QStringLiteral("end %1").arg(n); });
        voice->SetEventInterests(SVEAllEvents);
    }

    // Processes events until the voice has no stream left; false when that
    // takes longer than a generous bound (then the voice has hung).
    bool WaitUntilIdle() {
        QDeadlineTimer bound(30000);
        QCoreApplication::processEvents();
        while (voice->Busy()) {
            if (bound.hasExpired()) return false;
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        return true;
    }

    QString Events() const { return events.join(QLatin1String(" | ")); }

    QTemporaryDir dir;
    AudioMixer mixer;
    DesktopVoiceOptions options;
    QTimer renderer;
    float peak = 0;
    QStringList events;
    std::shared_ptr<StreamVoice> voice;
};

enum class Daemon { None, Silent, NotTried };

struct FallbackRow {
    const char* name;
    Daemon daemon;
};

class DesktopVoiceFallback : public DesktopVoiceTest,
                             public ::testing::WithParamInterface<FallbackRow> {};

TEST_P(DesktopVoiceFallback, SpeaksOnEspeakWithOnePairPerStream) {
    std::unique_ptr<SilentDaemon> daemon;
    if (GetParam().daemon == Daemon::Silent) {
        daemon = std::make_unique<SilentDaemon>(options.speechd.socketPath);
        ASSERT_TRUE(daemon->ok());
    }
    options.useSpeechd = GetParam().daemon != Daemon::NotTried;
    MakeVoice();

    voice->Speak(QString::fromUtf8("Dobrý den."), SVSFlagsAsync);
    voice->Speak(QStringLiteral("<speak>ahoj</speak>"), SVSFlagsAsync | SVSFIsXML);
    ASSERT_TRUE(WaitUntilIdle()) << "the voice hung: " << Events().toStdString();

    EXPECT_EQ(Events(), QStringLiteral("start 1 | end 1 | start 2 | end 2"));
    EXPECT_GT(peak, 0.05f) << "the fallback did not speak";
}

INSTANTIATE_TEST_SUITE_P(Rows, DesktopVoiceFallback,
                         ::testing::Values(FallbackRow{"NoDaemon", Daemon::None},
                                           FallbackRow{"DaemonNeverAnswers", Daemon::Silent},
                                           FallbackRow{"EspeakOnly", Daemon::NotTried}),
                         [](const auto& info) { return std::string(info.param.name); });

// Processes events until the condition holds (false after a generous bound).
template <typename F> bool ProcessUntil(F condition) {
    QDeadlineTimer bound(30000);
    while (!condition()) {
        if (bound.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

TEST_F(DesktopVoiceTest, DaemonSpeaksMessagesInOrderWithSsmlForMarkup) {
    FakeSpeechDaemon daemon(options.speechd.socketPath, {});
    ASSERT_TRUE(daemon.Listening());
    MakeVoice();

    voice->Speak(QString::fromUtf8("Dobrý den."), SVSFlagsAsync);
    voice->Speak(QStringLiteral("ahoj"), SVSFlagsAsync | SVSFIsXML);
    ASSERT_TRUE(WaitUntilIdle()) << Events().toStdString();

    EXPECT_EQ(Events(), QStringLiteral("start 1 | end 1 | start 2 | end 2"));
    QStringList said;
    for (const QString& line : daemon.Received())
        if (line.startsWith(QLatin1String("text: ")) || line.contains(QLatin1String("SSML_MODE")) ||
            line.contains(QLatin1String("PRIORITY")))
            said << line;
    EXPECT_EQ(
        said.join(QLatin1String(" | ")),
        QString::fromUtf8("SET SELF PRIORITY MESSAGE | text: Dobrý den. | SET SELF SSML_MODE on | "
                          "SET SELF PRIORITY MESSAGE | text: <speak>ahoj</speak>"));
    EXPECT_EQ(peak, 0.0f) << "espeak-ng spoke although the daemon answered";
}

TEST_F(DesktopVoiceTest, DaemonPurgeEndsStreamsAtOnceAndCancelsItsMessages) {
    FakeSpeechDaemon daemon(options.speechd.socketPath, {std::chrono::milliseconds(60000), -1});
    ASSERT_TRUE(daemon.Listening());
    MakeVoice();
    voice->Speak(QStringLiteral("jedna"), SVSFlagsAsync);
    voice->Speak(QStringLiteral("dva"), SVSFlagsAsync);
    ASSERT_TRUE(
        ProcessUntil([&] { return daemon.Received().contains(QStringLiteral("text: jedna")); }));
    events.clear();

    voice->Speak(QString(), SVSFPurgeBeforeSpeak);

    EXPECT_EQ(Events(), QStringLiteral("end 1 | start 2 | end 2 | start 3 | end 3"));
    EXPECT_TRUE(
        ProcessUntil([&] { return daemon.Received().contains(QStringLiteral("CANCEL SELF")); }));
    // The daemon's late cancel event changes nothing; the next stream waits for its own end.
    voice->Speak(QStringLiteral("tři"), SVSFlagsAsync);
    ASSERT_TRUE(
        ProcessUntil([&] { return daemon.Received().contains(QString::fromUtf8("text: tři")); }));
    EXPECT_EQ(Events(), QStringLiteral("end 1 | start 2 | end 2 | start 3 | end 3 | start 4"));
    EXPECT_TRUE(voice->Busy());
}

// Streams purged while the daemon is still being reached (it starts on first
// use) are never sent: it would begin speaking stale text before the cancel
// queued behind it arrived.
TEST_F(DesktopVoiceTest, StreamsPurgedBeforeTheDaemonAnswersAreNeverSent) {
    FakeSpeechDaemon daemon(options.speechd.socketPath,
                            {std::chrono::milliseconds(30), -1, /*answering=*/false});
    ASSERT_TRUE(daemon.Listening());
    options.speechd.commandTimeout = std::chrono::milliseconds(5000);
    MakeVoice();
    voice->Speak(QStringLiteral("jedna"), SVSFlagsAsync);
    QCoreApplication::processEvents(); // the stream begins: its text waits for the connection
    voice->Speak(QString(), SVSFPurgeBeforeSpeak);
    voice->Speak(QStringLiteral("dva"), SVSFlagsAsync);

    daemon.StartAnswering();
    ASSERT_TRUE(WaitUntilIdle()) << Events().toStdString();

    EXPECT_EQ(Events(), QStringLiteral("start 1 | end 1 | start 2 | end 2 | start 3 | end 3"));
    QStringList texts;
    for (const QString& line : daemon.Received())
        if (line.startsWith(QLatin1String("text: "))) texts << line;
    EXPECT_EQ(texts.join(QLatin1String(" | ")), QStringLiteral("text: dva"));
}

// Speech that keeps coming (a held key stops and echoes many times a second)
// must not keep a daemon that never answers from being noticed.
TEST_F(DesktopVoiceTest, SteadySpeechDoesNotHideADaemonThatNeverAnswers) {
    SilentDaemon daemon(options.speechd.socketPath);
    ASSERT_TRUE(daemon.ok());
    MakeVoice();
    QDeadlineTimer bound(30000);
    while (dynamic_cast<SpeechdBackend*>(voice->Backend())) {
        ASSERT_FALSE(bound.hasExpired()) << "the daemon was never given up";
        voice->Speak(QString(), SVSFPurgeBeforeSpeak);
        voice->Speak(QStringLiteral("a"), SVSFlagsAsync);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ASSERT_TRUE(WaitUntilIdle()) << "the voice hung: " << Events().toStdString();
}

// A daemon that stops answering while it speaks (it never ends the message
// and blocks every further call), or that dies: the stream in flight ends,
// the next ones speak on espeak-ng.
struct LostRow {
    const char* name;
    bool dies;
};

class DesktopVoiceLostDaemon : public DesktopVoiceTest,
                               public ::testing::WithParamInterface<LostRow> {};

TEST_P(DesktopVoiceLostDaemon, StreamInFlightEndsAndEspeakTakesOver) {
    auto daemon = std::make_unique<FakeSpeechDaemon>(
        options.speechd.socketPath,
        FakeSpeechDaemon::Options{std::chrono::milliseconds(60000), GetParam().dies ? -1 : 1});
    ASSERT_TRUE(daemon->Listening());
    options.speechd.probeInterval = std::chrono::milliseconds(100);
    MakeVoice();

    voice->Speak(QStringLiteral("jedna"), SVSFlagsAsync);
    ASSERT_TRUE(
        ProcessUntil([&] { return daemon->Received().contains(QStringLiteral("text: jedna")); }));
    if (GetParam().dies) daemon.reset();
    voice->Speak(QString::fromUtf8("Dobrý den."), SVSFlagsAsync);
    ASSERT_TRUE(WaitUntilIdle()) << "the voice hung: " << Events().toStdString();

    EXPECT_EQ(Events(), QStringLiteral("start 1 | end 1 | start 2 | end 2"));
    EXPECT_GT(peak, 0.05f) << "the second stream was not spoken on espeak-ng";
    if (daemon) {
        EXPECT_FALSE(daemon->Received().contains(QString::fromUtf8("text: Dobrý den.")));
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, DesktopVoiceLostDaemon,
                         ::testing::Values(LostRow{"StopsAnswering", false}, LostRow{"Dies", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DesktopVoiceTest, PurgeSilencesAndEndsEverythingBeforeReturning) {
    options.useSpeechd = false;
    MakeVoice();
    voice->Speak(QString::fromUtf8("Toto je dlouhá věta, která se nestihne doříct.").repeated(5),
                 SVSFlagsAsync);
    voice->Speak(QStringLiteral("dál"), SVSFlagsAsync);
    while (peak < 0.05f) // until the first stream sounds
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    events.clear();

    voice->Speak(QString(), SVSFPurgeBeforeSpeak);

    EXPECT_EQ(Events(), QStringLiteral("end 1 | start 2 | end 2 | start 3 | end 3"));
    EXPECT_FALSE(voice->Busy());
    EXPECT_FALSE(mixer.SpeechPending());
}

TEST(DesktopVoiceLocale, DefaultVoiceOfTheLocaleLanguage) {
    const std::vector<EspeakVoiceInfo> voices = {
        {"Czech", "zlw/cs", "cs"},
        {"Slovak", "zlw/sk", "sk"},
        {"English (America)", "gmw/en-US", "en-us"},
        {"English (Great Britain)", "gmw/en", "en-gb"},
        {"German", "gmw/de", "de"},
    };
    const struct {
        const char* locale;
        const char* voice;
    } rows[] = {
        {"cs_CZ", "Czech"},
        {"cs_CZ.UTF-8", "Czech"},
        {"sk_SK", "Slovak"},
        {"de_AT", "German"},
        {"en_GB", "English (Great Britain)"},
        {"en_US.UTF-8", "English (America)"},
        {"en_AU", "English (America)"},
        {"fi_FI", "English (America)"},
        {"C", "English (America)"},
        {"", "English (America)"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(LocaleVoice(voices, QString::fromLatin1(row.locale)).name,
                  QString::fromLatin1(row.voice))
            << "locale " << row.locale;
    EXPECT_EQ(LocaleVoice({{"German", "gmw/de", "de"}}, QStringLiteral("fi_FI")).name,
              QStringLiteral("German"));
    EXPECT_TRUE(LocaleVoice({}, QStringLiteral("cs_CZ")).identifier.isEmpty());
}

} // namespace
