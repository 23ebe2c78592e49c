// The main window's creation loads the braille table and the key echo file
// of the start-up language, and clears the active prefix between the two.
#include "input/braille_state.h"
#include "input/braille_table.h"
#include "input/chord.h"
#include "input/key_echo.h"
#include "shell/errors.h"
#include "shell/tform1.h"
#include "testsupport/qstring_printer.h"
#include "testsupport/scripted_speech.h"
#include "testsupport/test_environment.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <memory>

// Everything here is local to this test file.
namespace {

struct StartCase {
    const char* name;
    int language;        // written to the ini file
    const char* missing; // a data file removed before start-up, or ""
    const char* error;   // the message FormCreate raises, or ""
    bool brailleLoaded;
    const char* spaceEcho; // the echo of a blank after start-up
};

void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }

class StartUpTables : public ::testing::TestWithParam<StartCase> {
protected:
    void SetUp() override
    {
        ResetBrailleTable();
        ResetKeyEcho();
        Braille() = BrailleState();
        CopyRunFiles(env);
        const QDir resources(QStringLiteral(VELTRA_RESOURCES_DIR));
        for (const QString& name : resources.entryList({QStringLiteral("*.vbt"), QStringLiteral("*.eky")})) {
            QFile::remove(env.path(name));
            ASSERT_TRUE(QFile::copy(resources.filePath(name), env.path(name)));
        }
    }
    void TearDown() override
    {
        ResetBrailleTable();
        ResetKeyEcho();
        Braille() = BrailleState();
    }

    TestEnvironment env;
    // Start-up creates its speech objects from this engine, and they are
    // released with it.
    ScriptedSpeech script;
};

TEST_P(StartUpTables, LoadsTheTablesOfTheStartUpLanguage)
{
    const StartCase& c = GetParam();
    env.writeFile(QStringLiteral("veltrabasic.ini"),
                  "[environment]\r\nlanguage=" + QByteArray::number(c.language) + "\r\n");
    if (*c.missing) {
        ASSERT_TRUE(QFile::remove(env.path(QString::fromLatin1(c.missing))));
    }
    // A prefix left active from before must not survive start-up.
    Braille().brlprefix = QStringLiteral("#num");

    auto form = std::make_unique<TForm1>();
    QString error;
    try {
        form->FormCreate();
    } catch (const VeltraError& e) {
        error = e.message();
    }

    EXPECT_EQ(error, QString::fromLatin1(c.error));
    EXPECT_EQ(BrailleTable().brailletablefile, QStringLiteral("czech.vbt"));
    EXPECT_EQ(TranslateChord(QStringLiteral("1")), c.brailleLoaded ? QStringLiteral("a") : QString());
    EXPECT_EQ(FindKeyEcho(QLatin1Char(' ')), QString::fromUtf8(c.spaceEcho));
}

INSTANTIATE_TEST_SUITE_P(
    Languages, StartUpTables,
    ::testing::Values(
        StartCase{"Czech", 1000, "", "", true, "mezera"},
        StartCase{"English", 2000, "", "", true, "space"},
        StartCase{"Slovak", 3000, "", "", true, "medzera"},
        StartCase{"MissingBrailleTableStopsBeforeTheKeyEcho", 2000, "czech.vbt", "File not found", false, ""},
        StartCase{"MissingKeyEchoFileKeepsTheBrailleTable", 3000, "slovak.eky", "File not found", true, ""},
        StartCase{"OtherLanguagesEchoFileIsNotNeeded", 1000, "english.eky", "", true, "mezera"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
