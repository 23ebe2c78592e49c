// The desktop voice without a speech-dispatcher daemon: a daemon that cannot
// be reached or never answers makes the same voice speak on espeak-ng, and no
// stream is left without its end. Audio goes to a test mixer rendered on a
// timer.
#include "speech/audio_mixer.h"
#include "speech/desktop_voice.h"
#include "speech/espeak_worker.h"
#include "speech/mixer_audio_destination.h"
#include "testsupport/qstring_printer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A unix socket that takes connections into its backlog and never answers:
// a daemon that hangs. Closing it resets the waiting clients.
class SilentDaemon {
public:
    explicit SilentDaemon(const QString& path)
    {
        m_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        const QByteArray p = path.toLocal8Bit();
        std::memcpy(addr.sun_path, p.constData(), std::min<size_t>(p.size(), sizeof addr.sun_path - 1));
        if (::bind(m_fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(m_fd, 8) != 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~SilentDaemon()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool ok() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

class DesktopVoiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
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

    void TearDown() override
    {
        voice.reset();
        renderer.stop();
        EspeakWorker::Instance().WaitIdle();
        QCoreApplication::processEvents();
    }

    void MakeVoice()
    {
        voice = CreateDesktopVoice(options);
        voice->SetStreamHandlers([this](long n, long long) { events << QStringLiteral("start %1").arg(n); },
                                 [this](long n, long long) { events << QStringLiteral("end %1").arg(n); });
        voice->SetEventInterests(SVEAllEvents);
    }

    // Processes events until the voice has no stream left; false when that
    // takes longer than a generous bound (then the voice has hung).
    bool WaitUntilIdle()
    {
        QDeadlineTimer bound(30000);
        QCoreApplication::processEvents();
        while (voice->Busy()) {
            if (bound.hasExpired())
                return false;
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

class DesktopVoiceFallback : public DesktopVoiceTest, public ::testing::WithParamInterface<FallbackRow> {};

TEST_P(DesktopVoiceFallback, SpeaksOnEspeakWithOnePairPerStream)
{
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

TEST_F(DesktopVoiceTest, PurgeSilencesAndEndsEverythingBeforeReturning)
{
    options.useSpeechd = false;
    MakeVoice();
    voice->Speak(QString::fromUtf8("Toto je dlouhá věta, která se nestihne doříct.").repeated(5), SVSFlagsAsync);
    voice->Speak(QStringLiteral("dál"), SVSFlagsAsync);
    while (peak < 0.05f) // until the first stream sounds
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    events.clear();

    voice->Speak(QString(), SVSFPurgeBeforeSpeak);

    EXPECT_EQ(Events(), QStringLiteral("end 1 | start 2 | end 2 | start 3 | end 3"));
    EXPECT_FALSE(voice->Busy());
    EXPECT_FALSE(mixer.SpeechPending());
}

TEST(DesktopVoiceLocale, DefaultVoiceOfTheLocaleLanguage)
{
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
        EXPECT_EQ(LocaleVoice(voices, QString::fromLatin1(row.locale)).name, QString::fromLatin1(row.voice))
            << "locale " << row.locale;
    EXPECT_EQ(LocaleVoice({{"German", "gmw/de", "de"}}, QStringLiteral("fi_FI")).name, QStringLiteral("German"));
    EXPECT_TRUE(LocaleVoice({}, QStringLiteral("cs_CZ")).identifier.isEmpty());
}

} // namespace
