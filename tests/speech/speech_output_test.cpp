// The speech operations against the scripted engine: which engine calls each
// operation makes in each back-end, when it returns, how a stop from an event
// handler ends a wait, nested waits, failures.
#include "shell/settings.h"
#include "speech/speech_engines.h"
#include "speech/speech_output.h"
#include "speech/tts_result.h"
#include "testsupport/qstring_printer.h"
#include "testsupport/scripted_speech.h"
#include "testsupport/test_environment.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// The calls and notifications that show what was spoken and stopped.
QStringList Spoken(const ScriptedSpeech& script) {
    QStringList out;
    for (const QString& e : script.log)
        for (const char* prefix : {"TextData", "Speak", "AudioReset", "Begin", "Cancel", "->"})
            if (e.startsWith(QLatin1String(prefix))) out << e;
    return out;
}

// One line per entry, so that a failure prints readably.
QString Lines(const QStringList& entries) {
    return entries.join(QLatin1Char('\n'));
}

class SpeechFixture : public ::testing::Test {
protected:
    void SetUp() override {
        InitSpeechEngine();
        SetUpVoiceDialogSpeech();
        script.log.clear();
    }
    void TearDown() override { DrainEvents(); }

    // Selects the first scripted voice and registers the sink, as the voice
    // selection does.
    void HoldEngine() {
        SpeechEngineState& s = SpeechEngines();
        std::shared_ptr<ITTSCentralA> engine;
        CheckResult(s.enumerator->Select(script.modes[0].id, &engine, s.audioDestination));
        s.engine = engine;
        CheckResult(engine->Register(s.sink, &s.sinkKey));
        Speech().SpeechReady = true;
        script.log.clear();
    }

    void UseBackend(bool desktop, bool voiceAllowed) {
        Settings().sapi5 = desktop;
        Settings().voiceallowed = voiceAllowed;
        Speech().SpeechReady = desktop || SpeechEngines().engine != nullptr;
    }

    static void DrainEvents() {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
    }

    TestEnvironment env;
    ScriptedSpeech script;
};

// --- The contract of the three operations, one row per case ----------------

enum class Op { SpeakAndWait, SpeakNoWait, StopSpeech, ChosenVoiceSpeakAndWait };

struct ContractRow {
    const char* name;
    Op op;
    bool desktop;
    bool voiceAllowed;
    bool engineHeld;
    const char* text;
    QStringList expected; // what Spoken() shows right when the operation returns
};

class SpeechContract : public SpeechFixture, public ::testing::WithParamInterface<ContractRow> {};

const QString kTextData = QStringLiteral("TextData \"%1\" speed=150 pitch=100 volume=65535");

TEST_P(SpeechContract, CallsAndReturn) {
    const ContractRow& row = GetParam();
    if (row.engineHeld) HoldEngine();
    UseBackend(row.desktop, row.voiceAllowed);
    const QString text = QString::fromUtf8(row.text);
    switch (row.op) {
    case Op::SpeakAndWait:
        SpeakAndWait(text);
        break;
    case Op::SpeakNoWait:
        SpeakNoWait(text);
        break;
    case Op::StopSpeech:
        StopSpeech();
        break;
    case Op::ChosenVoiceSpeakAndWait:
        ChosenVoiceSpeakAndWait(text);
        break;
    }
    EXPECT_EQ(Lines(Spoken(script)), Lines(row.expected));
    if (row.op == Op::SpeakAndWait || row.op == Op::ChosenVoiceSpeakAndWait) {
        EXPECT_FALSE(Speech().TtsAudioActive);
        EXPECT_FALSE(Speech().Sapi5Busy);
    }
}

const QString kAudioStart = QStringLiteral("-> AudioStart");
const QString kAudioStop = QStringLiteral("-> AudioStop");

INSTANTIATE_TEST_SUITE_P(
    Rows, SpeechContract,
    ::testing::Values(
        // Desktop voice: voiceallowed is not consulted.
        ContractRow{
            "DesktopWaitSpeaksAndWaitsForEnd",
            Op::SpeakAndWait,
            true,
            false,
            false,
            "Ahoj",
            {"Speak \"Ahoj\" flags=1", "-> StartStream 1", "Begin \"Ahoj\"", "-> EndStream 1"}},
        ContractRow{"DesktopWaitEmptyTextDoesNothing", Op::SpeakAndWait, true, true, true, "", {}},
        ContractRow{"DesktopNoWaitQueuesAndReturns",
                    Op::SpeakNoWait,
                    true,
                    false,
                    false,
                    "Ahoj",
                    {"Speak \"Ahoj\" flags=1"}},
        ContractRow{"DesktopNoWaitSpeaksEmptyText",
                    Op::SpeakNoWait,
                    true,
                    true,
                    false,
                    "",
                    {"Speak \"\" flags=1"}},
        ContractRow{"DesktopStopPurgesWithEmptySynchronousSpeak",
                    Op::StopSpeech,
                    true,
                    false,
                    false,
                    "",
                    {"Speak \"\" flags=2", "-> StartStream 1", "-> EndStream 1"}},
        // Chosen voice.
        ContractRow{"ChosenWaitSpeaksAndWaitsForAudioStop",
                    Op::SpeakAndWait,
                    false,
                    true,
                    true,
                    "Ahoj",
                    {kTextData.arg("Ahoj"), kAudioStart, kAudioStop}},
        ContractRow{"ChosenWaitVoiceNotAllowed", Op::SpeakAndWait, false, false, true, "Ahoj", {}},
        ContractRow{"ChosenWaitNoEngineHeld", Op::SpeakAndWait, false, true, false, "Ahoj", {}},
        ContractRow{"ChosenWaitEmptyText", Op::SpeakAndWait, false, true, true, "", {}},
        ContractRow{"ChosenNoWaitQueuesAndReturns",
                    Op::SpeakNoWait,
                    false,
                    true,
                    true,
                    "Ahoj",
                    {kTextData.arg("Ahoj"), kAudioStart}},
        ContractRow{"ChosenNoWaitVoiceNotAllowed", Op::SpeakNoWait, false, false, true, "Ahoj", {}},
        ContractRow{"ChosenNoWaitNoEngineHeld", Op::SpeakNoWait, false, true, false, "Ahoj", {}},
        ContractRow{"ChosenNoWaitEmptyText", Op::SpeakNoWait, false, true, true, "", {}},
        ContractRow{"ChosenStopWhileIdleMakesNoCall", Op::StopSpeech, false, true, true, "", {}},
        ContractRow{"ChosenStopWithoutEngine", Op::StopSpeech, false, true, false, "", {}},
        ContractRow{"KeyEchoIgnoresVoiceAllowed",
                    Op::ChosenVoiceSpeakAndWait,
                    false,
                    false,
                    true,
                    "a",
                    {kTextData.arg("a"), kAudioStart, kAudioStop}},
        ContractRow{
            "KeyEchoNoEngineHeld", Op::ChosenVoiceSpeakAndWait, false, true, false, "a", {}},
        ContractRow{"ChosenTextOutsideCodePageIsStillSpoken",
                    Op::SpeakAndWait,
                    false,
                    true,
                    true,
                    "Kč ✓",
                    {kTextData.arg(QString::fromUtf8("Kč \x1a")), kAudioStart, kAudioStop}}),
    [](const ::testing::TestParamInfo<ContractRow>& info) { return std::string(info.param.name); });

// --- Stops from event handlers during a wait ---------------------------------

// A window whose key handler stops the speech, as the main window's does.
class StoppingWidget : public QWidget {
public:
    std::function<void()> onKey = [] { StopSpeech(); };

protected:
    void keyPressEvent(QKeyEvent*) override { onKey(); }
};

void PostKeyPress(QWidget* target, int afterMs) {
    QTimer::singleShot(afterMs, target, [target] {
        QCoreApplication::postEvent(
            target, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
    });
}

class SpeechStopDuringWait : public SpeechFixture, public ::testing::WithParamInterface<bool> {};

TEST_P(SpeechStopDuringWait, KeyEventStopEndsTheWait) {
    const bool desktop = GetParam();
    HoldEngine();
    UseBackend(desktop, true);
    script.duration = [](const QString&) { return ScriptedSpeech::kHold; }; // never ends by itself
    StoppingWidget widget;
    PostKeyPress(&widget, 10);

    SpeakAndWait(QStringLiteral("dlouhý text"));

    if (desktop)
        EXPECT_EQ(Lines(Spoken(script)),
                  Lines({"Speak \"dlouhý text\" flags=1", "-> StartStream 1",
                         "Begin \"dlouhý text\"", "Speak \"\" flags=2", "Cancel", "-> EndStream 1",
                         "-> StartStream 2", "-> EndStream 2"}));
    else
        EXPECT_EQ(Lines(Spoken(script)),
                  Lines({kTextData.arg("dlouhý text"), kAudioStart, "AudioReset", kAudioStop}));
    EXPECT_FALSE(Speech().TtsAudioActive);
    EXPECT_FALSE(Speech().Sapi5Busy);
}

// A handler that stops and at once speaks again must wait for its new text,
// not return on the end of the stopped one.
TEST_P(SpeechStopDuringWait, SpeakRightAfterStopWaitsForTheNewText) {
    const bool desktop = GetParam();
    HoldEngine();
    UseBackend(desktop, true);
    script.duration = [](const QString& t) {
        return t == QString::fromUtf8("první") ? ScriptedSpeech::kHold : 5;
    };
    StoppingWidget widget;
    QStringList seenWhenInnerReturned;
    widget.onKey = [&] {
        StopSpeech();
        SpeakAndWait(QStringLiteral("druhý"));
        seenWhenInnerReturned = Spoken(script);
    };
    PostKeyPress(&widget, 5);

    SpeakAndWait(QStringLiteral("první"));

    const QString lastEvent = seenWhenInnerReturned.value(seenWhenInnerReturned.size() - 1);
    if (desktop) {
        EXPECT_TRUE(seenWhenInnerReturned.contains("Begin \"druhý\""))
            << seenWhenInnerReturned.join('|').toStdString();
        EXPECT_EQ(lastEvent, "-> EndStream 3");
    } else {
        EXPECT_EQ(Lines(seenWhenInnerReturned),
                  Lines({kTextData.arg("první"), kAudioStart, "AudioReset", kAudioStop,
                         kTextData.arg("druhý"), kAudioStart, kAudioStop}));
    }
}

// A handler that speaks inside a wait waits on the same flag; the outer wait
// ends no later than the inner one.
TEST_P(SpeechStopDuringWait, NestedWaitsBothEnd) {
    const bool desktop = GetParam();
    HoldEngine();
    UseBackend(desktop, true);
    script.duration = [](const QString& t) {
        return t == QLatin1String("venku") ? ScriptedSpeech::kHold : 5;
    };
    QStringList order;
    StoppingWidget widget;
    widget.onKey = [&] {
        // The outer text ends while the inner wait runs.
        QTimer::singleShot(5, [&] {
            if (desktop)
                script.FinishStream();
            else
                script.FinishUtterance();
        });
        SpeakAndWait(QStringLiteral("uvnitř"));
        order << QStringLiteral("inner returned");
    };
    PostKeyPress(&widget, 5);

    SpeakAndWait(QStringLiteral("venku"));
    order << QStringLiteral("outer returned");

    EXPECT_EQ(Lines(order), Lines({"inner returned", "outer returned"}));
    EXPECT_FALSE(Speech().TtsAudioActive);
    EXPECT_FALSE(Speech().Sapi5Busy);
}

// A stop from a handler that runs inside a nested wait ends both waits.
TEST_P(SpeechStopDuringWait, StopInsideNestedWaitEndsBothWaits) {
    const bool desktop = GetParam();
    HoldEngine();
    UseBackend(desktop, true);
    script.duration = [](const QString&) { return ScriptedSpeech::kHold; };
    QStringList order;
    StoppingWidget outerKey, innerKey;
    outerKey.onKey = [&] {
        PostKeyPress(&innerKey, 5);
        SpeakAndWait(QStringLiteral("uvnitř"));
        order << QStringLiteral("inner returned");
    };
    PostKeyPress(&outerKey, 5);

    SpeakAndWait(QStringLiteral("venku"));
    order << QStringLiteral("outer returned");

    EXPECT_EQ(Lines(order), Lines({"inner returned", "outer returned"}));
    EXPECT_EQ(Lines(script.Calls(desktop ? "Speak" : "AudioReset")),
              desktop ? Lines({"Speak \"venku\" flags=1", "Speak \"uvnitř\" flags=1",
                               "Speak \"\" flags=2"})
                      : Lines({"AudioReset"}));
    EXPECT_FALSE(Speech().TtsAudioActive);
    EXPECT_FALSE(Speech().Sapi5Busy);
}

INSTANTIATE_TEST_SUITE_P(Backends, SpeechStopDuringWait, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "DesktopVoice" : "ChosenVoice");
                         });

// After the desktop voice is switched off, SpeechReady is false until the next
// engine selection: a stop does nothing while speaking still uses the engine.
TEST_F(SpeechFixture, StopDoesNothingInChosenVoiceUntilEngineSelected) {
    HoldEngine();
    UseBackend(false, true);
    script.duration = [](const QString&) { return ScriptedSpeech::kHold; };
    SpeakNoWait(QStringLiteral("jedna"));
    DrainEvents();
    ASSERT_TRUE(Speech().TtsAudioActive);

    Speech().SpeechReady = false; // the desktop voice was switched off
    StopSpeech();
    SpeakNoWait(QStringLiteral("dva"));

    EXPECT_EQ(Lines(Spoken(script)),
              Lines({kTextData.arg("jedna"), kAudioStart, kTextData.arg("dva")}));
    EXPECT_TRUE(Speech().TtsAudioActive);
}

// --- Failures -------------------------------------------------------------

struct FailureRow {
    const char* name;
    bool desktop;
    const char* failingCall;
    Op op;
};

class SpeechFailure : public SpeechFixture, public ::testing::WithParamInterface<FailureRow> {};

TEST_P(SpeechFailure, RaisesEngineErrorWithCodeAndText) {
    const FailureRow& row = GetParam();
    HoldEngine();
    UseBackend(row.desktop, true);
    if (row.op == Op::StopSpeech && !row.desktop) {
        script.duration = [](const QString&) { return ScriptedSpeech::kHold; };
        SpeakNoWait(QStringLiteral("hold"));
        DrainEvents();
    }
    const HRESULT code = static_cast<HRESULT>(0x80040201u);
    script.failures[QString::fromLatin1(row.failingCall)] = code;
    try {
        switch (row.op) {
        case Op::SpeakAndWait:
            SpeakAndWait(QStringLiteral("x"));
            break;
        case Op::SpeakNoWait:
            SpeakNoWait(QStringLiteral("x"));
            break;
        case Op::StopSpeech:
            StopSpeech();
            break;
        case Op::ChosenVoiceSpeakAndWait:
            ChosenVoiceSpeakAndWait(QStringLiteral("x"));
            break;
        }
        ADD_FAILURE() << "no error raised";
    } catch (const EngineError& e) {
        EXPECT_EQ(e.code(), code);
        EXPECT_EQ(e.message(), QStringLiteral("Error 0x80040201"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SpeechFailure,
    ::testing::Values(FailureRow{"ChosenTextData", false, "TextData", Op::SpeakAndWait},
                      FailureRow{"ChosenNoWaitTextData", false, "TextData", Op::SpeakNoWait},
                      FailureRow{"ChosenAudioReset", false, "AudioReset", Op::StopSpeech},
                      FailureRow{"DesktopSpeak", true, "Speak", Op::SpeakAndWait},
                      FailureRow{"DesktopPurge", true, "Speak", Op::StopSpeech}),
    [](const ::testing::TestParamInfo<FailureRow>& info) { return std::string(info.param.name); });

TEST(ResultTextTest, KnownAndUnknownCodes) {
    const struct {
        HRESULT code;
        const char* text;
    } rows[] = {
        {E_NOTIMPL, "Not implemented"},
        {E_FAIL, "Unspecified error"},
        {E_INVALIDARG, "The parameter is incorrect"},
        {static_cast<HRESULT>(0x80040201u), "Error 0x80040201"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ResultText(row.code), QString::fromLatin1(row.text)) << row.text;
        try {
            CheckResult(row.code);
            ADD_FAILURE() << "no error for " << row.text;
        } catch (const EngineError& e) {
            EXPECT_EQ(e.code(), row.code);
        }
    }
    EXPECT_EQ(CheckResult(S_FALSE), S_FALSE);
}

// --- Start-up ----------------------------------------------------------------

struct InitRow {
    const char* name;
    bool failAudio;
    bool failEnumerator;
    bool enumeratorExists;
};

class SpeechInit : public ::testing::TestWithParam<InitRow> {};

TEST_P(SpeechInit, EnumeratorExistsOnlyWhenBothObjectsCouldBeMade) {
    TestEnvironment env;
    ScriptedSpeech script;
    script.failAudioDestination = GetParam().failAudio;
    script.failEnumerator = GetParam().failEnumerator;
    InitSpeechEngine();
    EXPECT_EQ(VoiceEnumeratorExists(), GetParam().enumeratorExists);
    EXPECT_EQ(SpeechEngines().audioDestination != nullptr, !GetParam().failAudio);
}

INSTANTIATE_TEST_SUITE_P(Rows, SpeechInit,
                         ::testing::Values(InitRow{"BothMade", false, false, true},
                                           InitRow{"NoAudioDestination", true, false, false},
                                           InitRow{"NoEnumerator", false, true, false}),
                         [](const ::testing::TestParamInfo<InitRow>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(SpeechFixture, InitReleasesTheHeldEngineAndModeRecord) {
    HoldEngine();
    SpeechEngines().selectedMode = TTSMODEINFOA{script.modes[0].id, script.modes[0].name, {}};
    InitSpeechEngine();
    EXPECT_EQ(SpeechEngines().engine, nullptr);
    EXPECT_EQ(SpeechEngines().attributes, nullptr);
    EXPECT_FALSE(SpeechEngines().selectedMode.has_value());
    EXPECT_TRUE(VoiceEnumeratorExists());
    // The sink and the desktop voice are not the chosen-voice objects: they stay.
    EXPECT_NE(SpeechEngines().sink, nullptr);
    EXPECT_NE(SpeechEngines().voice5, nullptr);
}

// Without a desktop voice the desktop back-end is silent and never hangs.
TEST(SpeechWithoutDesktopVoice, SpeakAndStopReturnAtOnce) {
    TestEnvironment env;
    ScriptedSpeech script;
    script.failVoice = true;
    InitSpeechEngine();
    SetUpVoiceDialogSpeech();
    EXPECT_EQ(SpeechEngines().voice5, nullptr);
    EXPECT_NE(SpeechEngines().sink, nullptr);
    Settings().sapi5 = true;
    SpeakAndWait(QStringLiteral("Ahoj"));
    SpeakNoWait(QStringLiteral("Ahoj"));
    StopSpeech();
    EXPECT_FALSE(Speech().Sapi5Busy);
    EXPECT_TRUE(script.Calls("Speak").isEmpty());
}

} // namespace
