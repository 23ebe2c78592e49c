#include "shell/errors.h"
#include "shell/ini_file.h"
#include "testsupport/file_faults.h"
#include "testsupport/test_environment.h"

#include <QFile>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
QString Read(const TestEnvironment& env, const char* section, const char* key)
{
    return IniFile(env.iniPath()).ReadString(section, key, QStringLiteral("<absent>"));
}
} // namespace

struct ReadCase {
    const char* name;
    const char* file;
    const char* section;
    const char* key;
    const char* expected;
};

class IniRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniRead, FindsValuesWithoutRegardToCase)
{
    TestEnvironment env;
    env.writeFile("veltrabasic.ini", GetParam().file);
    EXPECT_EQ(Read(env, GetParam().section, GetParam().key), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniRead,
    ::testing::Values(
        ReadCase{"ExactNames", "[voice]\nperson=Czech\n", "voice", "person", "Czech"},
        ReadCase{"SectionInCapitals", "[VOICE]\r\nSAPI5=1\r\n", "Voice", "sapi5", "1"},
        ReadCase{"BlanksAroundNameAndValue", "[ voice ]\n  person =  Czech  \n", "voice",
                 "person", "Czech"},
        ReadCase{"KeyInAnotherSection", "[sounds]\nperson=x\n[voice]\n", "voice", "person",
                 "<absent>"},
        ReadCase{"FirstOfTwoEqualKeys", "[voice]\nperson=a\nPERSON=b\n", "voice", "person", "a"},
        ReadCase{"EqualsInValue", "[voice]\nperson=a=b\n", "voice", "person", "a=b"},
        ReadCase{"CommentLine", "[voice]\n;person=x\n", "voice", "person", "<absent>"},
        ReadCase{"NoFinalLineEnd", "[voice]\nperson=last", "voice", "person", "last"},
        ReadCase{"EmptyFile", "", "voice", "person", "<absent>"}),
    [](const auto& info) { return std::string(info.param.name); });

struct IntegerCase {
    const char* name;
    const char* text;
    int expected; // -999 stands for "not an integer: the default"
};

class IniInteger : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IniInteger, ReadsDecimalAndHexadecimalElseTheDefault)
{
    TestEnvironment env;
    env.writeFile("veltrabasic.ini", QByteArray("[sounds]\nsndvolume=") + GetParam().text + "\n");
    EXPECT_EQ(IniFile(env.iniPath()).ReadInteger("sounds", "sndvolume", -999), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniInteger,
    ::testing::Values(IntegerCase{"Decimal", "2000", 2000}, IntegerCase{"Negative", "-10000", -10000},
                      IntegerCase{"PlusSign", "+7", 7}, IntegerCase{"HexLower", "0x10", 16},
                      IntegerCase{"HexUpper", "0XfF", 255}, IntegerCase{"Word", "abc", -999},
                      IntegerCase{"Empty", "", -999}, IntegerCase{"TrailingLetters", "12abc", -999},
                      IntegerCase{"Fraction", "1.5", -999}, IntegerCase{"HexWithoutDigits", "0x", -999},
                      IntegerCase{"TooLarge", "99999999999", -999},
                      IntegerCase{"DoubleSign", "--1", -999}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniBool, AnyNonZeroIntegerIsTrueAndGarbageIsTheDefault)
{
    TestEnvironment env;
    env.writeFile("veltrabasic.ini", "[keyboard]\na=0\nb=1\nc=-5\nd=yes\n");
    IniFile ini(env.iniPath());
    EXPECT_FALSE(ini.ReadBool("keyboard", "a", true));
    EXPECT_TRUE(ini.ReadBool("keyboard", "b", false));
    EXPECT_TRUE(ini.ReadBool("keyboard", "c", false));
    EXPECT_TRUE(ini.ReadBool("keyboard", "d", true));
    EXPECT_FALSE(ini.ReadBool("keyboard", "d", false));
    EXPECT_FALSE(ini.ReadBool("keyboard", "missing", false));
}

struct WriteCase {
    const char* name;
    const char* before;
    const char* section;
    const char* key;
    const char* value;
    const char* after;
};

class IniWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniWrite, ChangesOnlyWhatItMust)
{
    TestEnvironment env;
    if (GetParam().before)
        env.writeFile("veltrabasic.ini", GetParam().before);
    IniFile(env.iniPath()).WriteString(GetParam().section, GetParam().key, GetParam().value);
    EXPECT_EQ(env.readFile("veltrabasic.ini"), QByteArray(GetParam().after));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniWrite,
    ::testing::Values(
        WriteCase{"NoFileCreatesIt", nullptr, "voice", "voiceallowed", "1",
                  "[voice]\nvoiceallowed=1\n"},
        WriteCase{"ExistingKeyKeepsItsCase", "[Voice]\r\nSAPI5=0\r\n", "voice", "sapi5", "1",
                  "[Voice]\r\nSAPI5=1\r\n"},
        WriteCase{"NewKeyJoinsTheSectionInTheWritersCase", "[voice]\r\nvoiceallowed=1\r\n",
                  "Voice", "SAPI5", "1", "[voice]\r\nvoiceallowed=1\r\nSAPI5=1\r\n"},
        WriteCase{"NewKeyGoesBeforeBlankLinesOfTheSection",
                  "[voice]\nvoiceallowed=1\n\n[sounds]\nveltrasounds=1\n", "voice", "person",
                  "Czech", "[voice]\nvoiceallowed=1\nperson=Czech\n\n[sounds]\nveltrasounds=1\n"},
        WriteCase{"NewSectionAppendedAfterALastLineWithoutEnd", "[voice]\r\nvoiceallowed=1",
                  "sounds", "sndvolume", "-100",
                  "[voice]\r\nvoiceallowed=1\r\n[sounds]\r\nsndvolume=-100\r\n"},
        WriteCase{"ForeignLinesAndCommentsStayByteIdentical",
                  "; made by hand\r\n[other]\r\n  odd = spaced  \r\nnoequals\r\n[voice]\r\n"
                  "person = Old Voice \r\n# note\r\n",
                  "VOICE", "PERSON", "New",
                  "; made by hand\r\n[other]\r\n  odd = spaced  \r\nnoequals\r\n[voice]\r\n"
                  "person =New\r\n# note\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniWriteFailure, ReadOnlyFileReportsUnableToWriteAndStaysUnchanged)
{
    TestEnvironment env;
    env.writeFile("veltrabasic.ini", "[voice]\nvoiceallowed=1\n");
    QFile::setPermissions(env.iniPath(), QFile::ReadOwner | QFile::ReadOther);
    {
        ScopedUnprivilegedUser user(env.dir().toLocal8Bit().constData());
        try {
            IniFile(env.iniPath()).WriteBool("voice", "voiceallowed", false);
            ADD_FAILURE() << "the write should have failed";
        } catch (const VeltraError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("Unable to write to ") + env.iniPath());
        }
    }
    EXPECT_EQ(env.readFile("veltrabasic.ini"), QByteArray("[voice]\nvoiceallowed=1\n"));
}

TEST(IniWriteFailure, FileThatCannotBeReadIsNotRewritten)
{
    // Writable but not readable: rewriting it from what could be read would
    // drop every other key.
    TestEnvironment env;
    const QByteArray before = "[voice]\nvoiceallowed=1\nperson=Czech\n";
    env.writeFile("veltrabasic.ini", before);
    QFile::setPermissions(env.iniPath(),
                          QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther);
    {
        ScopedUnprivilegedUser user(env.dir().toLocal8Bit().constData());
        try {
            IniFile(env.iniPath()).WriteBool("keyboard", "braillekeys", true);
            ADD_FAILURE() << "the write should have failed";
        } catch (const VeltraError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("Unable to write to ") + env.iniPath());
        }
    }
    QFile::setPermissions(env.iniPath(), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(env.readFile("veltrabasic.ini"), before);
}

TEST(IniWriteFailure, MissingDirectoryReportsUnableToWrite)
{
    TestEnvironment env;
    const QString path = env.path("no/such/dir/veltrabasic.ini");
    try {
        IniFile(path).WriteBool("voice", "voiceallowed", true);
        FAIL() << "the write should have failed";
    } catch (const VeltraError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Unable to write to ") + path);
    }
}

TEST(IniWriteFailure, FullDiskReportsUnableToWriteAndKeepsTheOldFile)
{
    TestEnvironment env;
    const QByteArray before = "[voice]\nvoiceallowed=1\n";
    env.writeFile("veltrabasic.ini", before);
    {
        ScopedFileSizeLimit limit(8);
        try {
            IniFile(env.iniPath()).WriteString("voice", "person", "A voice with a long name");
            FAIL() << "the write should have failed";
        } catch (const VeltraError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("Unable to write to ") + env.iniPath());
        }
    }
    EXPECT_EQ(env.readFile("veltrabasic.ini"), before);
}
