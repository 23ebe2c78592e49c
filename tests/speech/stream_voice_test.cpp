// The desktop voice's stream bookkeeping: one StartStream and one EndStream
// per stream whatever happens to it, purges handled before Speak returns,
// stale ends ignored, back-ends replaced mid-stream.
#include "speech/stream_voice.h"
#include "testsupport/qstring_printer.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// A back-end the test finishes by hand.
struct ManualBackend : VoiceBackend {
    QStringList* log;
    QString name;
    std::vector<Done> pending;
    ManualBackend(QStringList* l, QString n) : log(l), name(std::move(n)) {}
    void Begin(const QString& text, bool xml, Done done) override {
        *log << QStringLiteral("%1 begin %2%3")
                    .arg(name, text, xml ? QStringLiteral(" (xml)") : QString());
        pending.push_back(std::move(done));
    }
    void Cancel() override { *log << QStringLiteral("%1 cancel").arg(name); }
    // Finishes the oldest begun text (also one that was cancelled).
    void FinishOldest() {
        ASSERT_FALSE(pending.empty());
        Done done = pending.front();
        pending.erase(pending.begin());
        done();
    }
};

class StreamVoiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto b = std::make_unique<ManualBackend>(&log, QStringLiteral("first"));
        backend = b.get();
        voice = std::make_shared<StreamVoice>(std::move(b));
        voice->SetStreamHandlers(
            [this](long n, long long) { log << QStringLiteral("start %1").arg(n); },
            [this](long n, long long) { log << QStringLiteral("end %1").arg(n); });
        voice->SetEventInterests(SVEAllEvents);
    }

    static void Pump() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    QString Log() const { return log.join(QLatin1String(" | ")); }

    QStringList log;
    ManualBackend* backend = nullptr;
    std::shared_ptr<StreamVoice> voice;
};

TEST_F(StreamVoiceTest, AsyncStreamsPlayInOrderWithOnePairEach) {
    long first = 0, second = 0;
    voice->Speak(QStringLiteral("a"), SVSFlagsAsync, &first);
    voice->Speak(QStringLiteral("b"), SVSFlagsAsync | SVSFIsXML, &second);
    EXPECT_EQ(Log(), QString()) << "nothing is delivered inside Speak";
    Pump();
    backend->FinishOldest();
    Pump();
    backend->FinishOldest();
    Pump();
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
    EXPECT_EQ(
        Log(),
        QStringLiteral("start 1 | first begin a | end 1 | start 2 | first begin b (xml) | end 2"));
    EXPECT_FALSE(voice->Busy());
}

TEST_F(StreamVoiceTest, PurgeEndsEveryStreamAndTheEmptyOneBeforeReturning) {
    voice->Speak(QStringLiteral("a"), SVSFlagsAsync);
    voice->Speak(QStringLiteral("b"), SVSFlagsAsync);
    voice->Speak(QString(), SVSFlagsAsync);
    Pump(); // "a" is speaking, "b" and the empty one wait
    log.clear();

    voice->Speak(QString(), SVSFPurgeBeforeSpeak);

    EXPECT_EQ(Log(),
              QStringLiteral(
                  "first cancel | end 1 | start 2 | end 2 | start 3 | end 3 | start 4 | end 4"));
    EXPECT_FALSE(voice->Busy());
    // The cancelled text's late end changes nothing, and nothing else follows.
    log.clear();
    backend->FinishOldest();
    Pump();
    EXPECT_EQ(Log(), QString());
}

TEST_F(StreamVoiceTest, SpeakAfterPurgeIsNotEndedByTheStaleEnd) {
    voice->Speak(QStringLiteral("a"), SVSFlagsAsync);
    Pump();
    voice->Speak(QString(), SVSFPurgeBeforeSpeak);
    voice->Speak(QStringLiteral("b"), SVSFlagsAsync);
    log.clear();
    backend->FinishOldest(); // the end of "a", arriving late
    Pump();
    EXPECT_EQ(Log(), QStringLiteral("start 3 | first begin b"));
    EXPECT_TRUE(voice->Busy());
}

// Streams queued asynchronously behind a synchronous Speak: the synchronous
// call returns only after its own stream has ended.
TEST_F(StreamVoiceTest, SynchronousSpeakWaitsForItsStream) {
    voice->Speak(QStringLiteral("a"), SVSFlagsAsync);
    QTimer* finisher = new QTimer;
    finisher->setInterval(1);
    QObject::connect(finisher, &QTimer::timeout, [this] {
        if (!backend->pending.empty()) backend->FinishOldest();
    });
    finisher->start();
    voice->Speak(QStringLiteral("b"), 0);
    delete finisher;
    EXPECT_EQ(Log(),
              QStringLiteral("start 1 | first begin a | end 1 | start 2 | first begin b | end 2"));
}

struct InterestRow {
    const char* name;
    long interests;
    const char* expected;
};

class StreamVoiceInterests : public StreamVoiceTest,
                             public ::testing::WithParamInterface<InterestRow> {};

TEST_P(StreamVoiceInterests, OnlyChosenEventsAreDelivered) {
    voice->SetEventInterests(GetParam().interests);
    voice->Speak(QString(), SVSFPurgeBeforeSpeak);
    EXPECT_EQ(Log(), QString::fromLatin1(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Rows, StreamVoiceInterests,
                         ::testing::Values(InterestRow{"All", SVEAllEvents, "start 1 | end 1"},
                                           InterestRow{"StartOnly", SVEStartInputStream, "start 1"},
                                           InterestRow{"EndOnly", SVEEndInputStream, "end 1"},
                                           InterestRow{"None", 0, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ReplaceRow {
    const char* name;
    bool restart;
    const char* expected;
};

class StreamVoiceReplace : public StreamVoiceTest,
                           public ::testing::WithParamInterface<ReplaceRow> {};

TEST_P(StreamVoiceReplace, CurrentStreamEndsOrStartsAgain) {
    voice->Speak(QStringLiteral("a"), SVSFlagsAsync);
    voice->Speak(QStringLiteral("b"), SVSFlagsAsync);
    Pump();
    auto b = std::make_unique<ManualBackend>(&log, QStringLiteral("second"));
    ManualBackend* replacement = b.get();
    voice->ReplaceBackend(std::move(b), GetParam().restart);
    Pump();
    while (!replacement->pending.empty()) {
        replacement->FinishOldest();
        Pump();
    }
    EXPECT_EQ(Log(), QString::fromLatin1(GetParam().expected));
    EXPECT_FALSE(voice->Busy());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StreamVoiceReplace,
    ::testing::Values(
        ReplaceRow{
            "LostDaemonEndsTheStream", false,
            "start 1 | first begin a | first cancel | end 1 | start 2 | second begin b | end 2"},
        ReplaceRow{"UnreachedDaemonSpeaksItAgain", true,
                   "start 1 | first begin a | first cancel | second begin a | end 1 | start 2 | "
                   "second begin b | end 2"}),
    [](const auto& info) { return std::string(info.param.name); });

// A voice without any back-end still ends every stream, so no wait can hang.
TEST(StreamVoiceSilent, StreamsEndWithoutBackend) {
    auto voice = std::make_shared<StreamVoice>(nullptr);
    QStringList log;
    voice->SetStreamHandlers([&](long n, long long) { log << QStringLiteral("start %1").arg(n); },
                             [&](long n, long long) { log << QStringLiteral("end %1").arg(n); });
    voice->SetEventInterests(SVEAllEvents);
    voice->Speak(QStringLiteral("a"), SVSFlagsAsync);
    QCoreApplication::processEvents();
    EXPECT_EQ(log.join(QLatin1String(" | ")), QStringLiteral("start 1 | end 1"));
}

} // namespace
