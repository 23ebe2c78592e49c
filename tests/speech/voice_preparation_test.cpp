// Getting the chosen voice ready at Start: the stored voice, a first run, a
// stored voice that is gone, the voice not allowed, no voice at all.
#include "shell/settings.h"
#include "speech/attribute_range.h"
#include "speech/speech_engines.h"
#include "speech/speech_output.h"
#include "speech/track_bar.h"
#include "speech/voice_preparation.h"
#include "testsupport/voice_dialog_fixture.h"

#include <gtest/gtest.h>

namespace {
struct StartCase {
    const char* name;
    const char* ini;
    bool noVoices;
    std::vector<std::string> engines; // selected, in order
    // Stored afterwards (person, pitch, speed, volume); all empty: the file is unchanged.
    const char* stored[4];
    std::vector<std::string> messages;
};

class VoiceAtStart : public ::testing::TestWithParam<StartCase> {};

TEST_P(VoiceAtStart, LeavesTheEngineSetToTheStoredOrDefaultVoice)
{
    const StartCase& c = GetParam();
    VoiceDialogSetup setup;
    setup.ini = c.ini;
    if (c.noVoices)
        setup.modes.emplace();
    VoiceDialogFixture f(setup);

    PrepareVoiceForStart();

    EXPECT_EQ(SelectedEngines(f.speech), c.engines);
    EXPECT_EQ(Std(f.env.messages), c.messages);
    EXPECT_TRUE(f.env.endedWith.isEmpty());
    if (!c.stored[0]) {
        EXPECT_EQ(f.env.readFile("veltrabasic.ini"), QByteArray(c.ini));
        EXPECT_FALSE(Speech().SpeechReady);
        // Speaking goes on silently.
        SpeakAndWait(QStringLiteral("hotovo"));
        EXPECT_TRUE(SpokenTexts(f.speech).empty());
        return;
    }
    const char* keys[] = {"person", "pitch", "speed", "volume"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(f.Stored(keys[i]).toStdString(), c.stored[i]) << keys[i];
    // The engine in use has the stored values.
    EXPECT_TRUE(Speech().SpeechReady);
    EXPECT_EQ(SpeechEngines().selectedMode->szModeName, f.Stored("person"));
    EXPECT_EQ(f.speech.Pitch(), f.Stored("pitch").toUInt());
    EXPECT_EQ(f.speech.Speed(), f.Stored("speed").toUInt());
    EXPECT_EQ(VolumeLevel(f.speech.Volume()), f.Stored("volume").toUInt());
    SpeakAndWait(QStringLiteral("hotovo"));
    EXPECT_EQ(SpokenTexts(f.speech).back(), "hotovo");
}

INSTANTIATE_TEST_SUITE_P(
    Starts, VoiceAtStart,
    ::testing::Values(
        StartCase{"FirstRunStoresTheDefaultVoiceWithTheEnginesValues", "", false,
                  {"Jakub", "Jakub"}, {"Jakub", "100", "150", "255"}, {}},
        StartCase{"StoredVoice", "[Voice]\r\nperson=Tom\r\npitch=70\r\nspeed=300\r\nvolume=99\r\n",
                  false, {"Tom"}, {"Tom", "70", "300", "99"}, {}},
        // The voice was uninstalled: said once, then the default voice is taken and stored.
        StartCase{"StoredVoiceGone", "[Voice]\r\nperson=Zuzana\r\npitch=70\r\n", false,
                  {"Jakub", "Jakub"}, {"Jakub", "100", "150", "255"},
                  {"Can't find the voice specified in the ini file: Zuzana"}},
        StartCase{"VoiceNotAllowed", "[voice]\r\nvoiceallowed=0\r\n[Voice]\r\nperson=Tom\r\n",
                  false, {}, {}, {}},
        // No voice at all: nothing selected, nothing stored, nothing said.
        StartCase{"NoVoices", "[Voice]\r\nperson=Tom\r\n", true, {}, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VoiceAtStart, ALaterStartReappliesTheStoredValuesToTheSameChoice)
{
    VoiceDialogFixture f;
    PrepareVoiceForStart(*f.dialog);
    // Moved in the dialog, then closed with Escape: not stored.
    f.dialog->speedtb->SetPosition(333);
    ASSERT_EQ(f.speech.Speed(), 333u);
    f.speech.log.clear();

    PrepareVoiceForStart(*f.dialog);

    EXPECT_EQ(f.speech.Speed(), 150u);
    EXPECT_EQ(f.Stored("speed"), QStringLiteral("150"));
    EXPECT_EQ(SelectedEngines(f.speech), (std::vector<std::string>{"Jakub"}));
    EXPECT_EQ(Std(f.speech.Calls("UnRegister")), (std::vector<std::string>{"UnRegister key=1"}));
}
} // namespace
