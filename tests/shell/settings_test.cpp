#include "shell/resource_localizer.h"
#include "shell/settings.h"
#include "testsupport/test_environment.h"

#include <gtest/gtest.h>

TEST(ConfigPath, ReplacesTheExtensionOrAppendsOne)
{
    EXPECT_EQ(ConfigPathForExecutable("/opt/v.1/basic.exe"), QStringLiteral("/opt/v.1/basic.ini"));
    EXPECT_EQ(ConfigPathForExecutable("/opt/v.1/veltrabasic"),
              QStringLiteral("/opt/v.1/veltrabasic.ini"));
    EXPECT_EQ(ConfigPathForExecutable("/opt/my.tool.exe"), QStringLiteral("/opt/my.tool.ini"));
}

TEST(FirstRun, CreatesTheFileWithOnlyVoiceAllowed)
{
    for (bool enumerator : {true, false}) {
        TestEnvironment env;
        EXPECT_FALSE(ReadSettings(enumerator));
        EXPECT_EQ(Settings().voiceallowed, enumerator);
        EXPECT_EQ(env.readFile("veltrabasic.ini"),
                  QByteArray("[voice]\nvoiceallowed=") + (enumerator ? "1" : "0") + "\n");
        EXPECT_TRUE(Settings().veltrasounds);
        EXPECT_FALSE(Settings().braillekeys);
        EXPECT_FALSE(Settings().sapi5);
    }
}

struct SettingsCase {
    const char* name;
    const char* file;
    AppSettings expected;
};

class ReadingSettings : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(ReadingSettings, TakesEachKeyOrItsDefaultAndWritesNothing)
{
    TestEnvironment env;
    env.writeFile("veltrabasic.ini", GetParam().file);
    EXPECT_TRUE(ReadSettings(false));
    const AppSettings& s = Settings();
    const AppSettings& e = GetParam().expected;
    EXPECT_EQ(s.voiceallowed, e.voiceallowed);
    EXPECT_EQ(s.veltrasounds, e.veltrasounds);
    EXPECT_EQ(s.sndvolume, e.sndvolume);
    EXPECT_EQ(s.braillekeys, e.braillekeys);
    EXPECT_EQ(s.sapi5, e.sapi5);
    EXPECT_EQ(env.readFile("veltrabasic.ini"), QByteArray(GetParam().file));
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadingSettings,
    ::testing::Values(
        SettingsCase{"EmptyFileGivesDefaultsWithVoiceAllowed", "", {true, true, 0, false, false}},
        SettingsCase{"EverythingSet",
                     "[voice]\nvoiceallowed=0\n[sounds]\nveltrasounds=0\nsndvolume=-2500\n"
                     "[keyboard]\nbraillekeys=1\n[Voice]\nSAPI5=1\n",
                     {false, false, -2500, true, true}},
        SettingsCase{"CapitalSectionAndKey", "[VOICE]\nSAPI5=1\n", {true, true, 0, false, true}},
        SettingsCase{"BadVolumeIsZero", "[sounds]\nsndvolume=abc\n", {true, true, 0, false, false}},
        SettingsCase{"HexVolume", "[sounds]\nsndvolume=0x10\n", {true, true, 16, false, false}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SavingSettings, WritesTheFourGeneralKeysOnly)
{
    TestEnvironment env;
    env.writeFile("veltrabasic.ini", "[voice]\nvoiceallowed=1\n");
    Settings() = AppSettings{false, true, -300, true, true};
    SaveSettings();
    EXPECT_EQ(env.readFile("veltrabasic.ini"),
              QByteArray("[voice]\nvoiceallowed=0\n[sounds]\nveltrasounds=1\nsndvolume=-300\n"
                         "[keyboard]\nbraillekeys=1\n"));
}

TEST(Language, ReadsTheBaseAndWritesItBack)
{
    TestEnvironment env;
    ReadLanguage();
    EXPECT_EQ(CurrentLanguage(), 1000);
    env.writeFile("veltrabasic.ini", "[environment]\nlanguage=2000\n");
    ReadLanguage();
    EXPECT_EQ(CurrentLanguage(), 2000);
    SetCurrentLanguage(3000);
    WriteLanguage();
    EXPECT_EQ(env.readFile("veltrabasic.ini"), QByteArray("[environment]\nlanguage=3000\n"));
    SetCurrentLanguage(1000);
}
