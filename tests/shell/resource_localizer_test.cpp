#include "shell/resource_localizer.h"

#include <gtest/gtest.h>

struct LookupCase {
    const char* name;
    int base;
    int index;
    const char* expected;
};

class StringLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(StringLookup, GivesTheTableText)
{
    const LookupCase& c = GetParam();
    EXPECT_EQ(TResourceLocalizer::GetString(c.base, c.index), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Table, StringLookup,
    ::testing::Values(LookupCase{"CzechName", 1000, 0, "Čeština"},
                      LookupCase{"CzechTitle", 1000, 1, "Překladač Veltra Basicu"},
                      LookupCase{"CzechOk", 1000, 7, "&Ok"},
                      LookupCase{"EnglishOk", 2000, 7, "&OK"},
                      LookupCase{"EnglishEnvironmentCaptionLowerCase", 2000, 10,
                                 "environment settings"},
                      LookupCase{"EnglishVoiceOffNoFullStop", 2000, 18,
                                 "The voice is turned off. You can turn it on in the Sounds "
                                 "dialog, menu Settings"},
                      LookupCase{"EnglishEchoFile", 2000, 24, "english"},
                      LookupCase{"SlovakEchoFile", 3000, 24, "slovak"},
                      LookupCase{"SlovakHelp", 3000, 34, "&Pomoc"},
                      LookupCase{"SlovakColumn", 3000, 32, "stĺpec"},
                      LookupCase{"CzechLast", 1000, 46, "&Braillská klávesnice"},
                      LookupCase{"IndexPastTheBlock", 1000, 47, ""},
                      LookupCase{"AbsentBase", 4000, 0, ""},
                      LookupCase{"BaseBetweenBlocks", 1500, 3, ""},
                      LookupCase{"NegativeIndex", 2000, -1, ""}),
    [](const ::testing::TestParamInfo<LookupCase>& info) { return std::string(info.param.name); });

TEST(Languages, ReplaceTheListWithTheThreeLanguagesInBaseOrder)
{
    LanguageList list{{QStringLiteral("stale"), 7}, {QStringLiteral("entries"), 8}};
    TResourceLocalizer::GetLanguages(list);
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list[0], qMakePair(QStringLiteral("Čeština"), 1000));
    EXPECT_EQ(list[1], qMakePair(QStringLiteral("English"), 2000));
    EXPECT_EQ(list[2], qMakePair(QStringLiteral("Slovenčina"), 3000));
}

TEST(Languages, EveryLanguageHasAllFortySevenTexts)
{
    for (int base : {1000, 2000, 3000}) {
        for (int i = 0; i < 47; ++i)
            EXPECT_FALSE(TResourceLocalizer::GetString(base, i).isEmpty()) << base << " " << i;
    }
}
