// The key echo files the program ships, one per interface language.
#include "input/key_echo.h"
#include "shell/cp1250.h"
#include "testsupport/test_environment.h"

#include <QFile>
#include <gtest/gtest.h>

// Everything here is local to this test file.
namespace {

struct EchoFile {
    const char* name;
    // A few echoes a native speaker would expect, by character.
    std::vector<std::pair<QChar, const char*>> samples;
};

// Every character a Czech, Slovak or US keyboard can type: all defined
// printable Windows-1250 characters, carriage return and tab.
std::vector<unsigned char> TypeableCodes()
{
    std::vector<unsigned char> codes{9, 13};
    for (int code = 32; code <= 255; ++code) {
        if (code == 127)
            continue;
        const QChar c = CharFromCp1250(static_cast<unsigned char>(code));
        // Codes the code page leaves undefined decode to control characters.
        if (c.category() == QChar::Other_Control || c == QChar::ReplacementCharacter)
            continue;
        codes.push_back(static_cast<unsigned char>(code));
    }
    return codes;
}

class ShippedKeyEcho : public ::testing::TestWithParam<EchoFile> {
protected:
    void SetUp() override
    {
        ResetKeyEcho();
        const QString name = QString::fromLatin1(GetParam().name);
        QFile file(QStringLiteral(VELTRA_RESOURCES_DIR "/") + name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        env.writeFile(name, file.readAll());
        KeyEcho().keyechofile = name;
        LoadKeyEcho();
    }
    void TearDown() override { ResetKeyEcho(); }

    TestEnvironment env;
};

TEST_P(ShippedKeyEcho, GivesEveryTypeableCharacterAPlainEcho)
{
    for (unsigned char code : TypeableCodes()) {
        const QChar c = CharFromCp1250(code);
        const QString echo = FindKeyEcho(c);
        EXPECT_FALSE(echo.trimmed().isEmpty()) << "code " << int(code);
        // Echoes also go to a markup-reading voice: no markup characters.
        for (QChar bad : {QLatin1Char('<'), QLatin1Char('>'), QLatin1Char('&'), QLatin1Char('\\')})
            EXPECT_FALSE(echo.contains(bad)) << "code " << int(code) << ": " << echo.toStdString();
    }
}

TEST_P(ShippedKeyEcho, NamesCharactersInItsLanguage)
{
    for (const auto& [c, echo] : GetParam().samples)
        EXPECT_EQ(FindKeyEcho(c), QString::fromUtf8(echo)) << QString(c).toStdString();
}

TEST_P(ShippedKeyEcho, SaysSmallAndToneMarkedCapitalLettersAlike)
{
    // The tone tells a capital letter from a small one; other capitals must
    // say so in their words.
    for (unsigned char code : TypeableCodes()) {
        const QChar c = CharFromCp1250(code);
        if (!c.isUpper())
            continue;
        const QChar small = c.toLower();
        if (IsCapitalLetter(c, 2))
            EXPECT_EQ(FindKeyEcho(c), FindKeyEcho(small)) << QString(c).toStdString();
        else
            EXPECT_NE(FindKeyEcho(c), FindKeyEcho(small)) << QString(c).toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Languages, ShippedKeyEcho,
    ::testing::Values(
        EchoFile{"czech.eky",
                 {{QLatin1Char(' '), "mezera"}, {QLatin1Char('.'), "tečka"}, {QLatin1Char(','), "čárka"},
                  {QLatin1Char('7'), "sedm"}, {QLatin1Char('h'), "há"}, {QChar(0x0159), "eř"},
                  {QChar(0x016F), "ú s kroužkem"}, {QChar(13), "nový řádek"}}},
        EchoFile{"english.eky",
                 {{QLatin1Char(' '), "space"}, {QLatin1Char('.'), "full stop"}, {QLatin1Char(','), "comma"},
                  {QLatin1Char('7'), "seven"}, {QLatin1Char('h'), "aitch"}, {QLatin1Char('W'), "double you"},
                  {QChar(13), "new line"}}},
        EchoFile{"slovak.eky",
                 {{QLatin1Char(' '), "medzera"}, {QLatin1Char('.'), "bodka"}, {QLatin1Char(','), "čiarka"},
                  {QLatin1Char('7'), "sedem"}, {QChar(0x013E), "mäkké el"}, {QChar(0x00F4), "ó s vokáňom"},
                  {QChar(13), "nový riadok"}}}),
    [](const auto& info) { return std::string(info.param.name).substr(0, std::string(info.param.name).find('.')); });

} // namespace
