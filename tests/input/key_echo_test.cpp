#include "input/key_echo.h"

#include "shell/errors.h"
#include "testsupport/test_environment.h"

#include <gtest/gtest.h>

#include <vector>

// Everything here is local to this test file.
namespace {

struct Entry {
    int code;
    QString text;
    bool operator==(const Entry&) const = default;
};

void PrintTo(const Entry& e, std::ostream* os) { *os << e.code << "=" << e.text.toStdString(); }

// The entries up to and including the last one that differs from an unfilled entry.
std::vector<Entry> FilledEntries()
{
    std::vector<Entry> out;
    for (const echokeytype& e : KeyEcho().echokeys)
        out.push_back({e.code, e.text});
    while (!out.empty() && out.back() == Entry{0, QString()})
        out.pop_back();
    return out;
}

class KeyEchoFile : public ::testing::Test {
protected:
    void SetUp() override { ResetKeyEcho(); }
    void TearDown() override { ResetKeyEcho(); }

    // Loads the bytes as the key echo file; returns the error message, if any.
    QString Load(const QByteArray& bytes)
    {
        env.writeFile(QStringLiteral("czech.eky"), bytes);
        KeyEcho().keyechofile = QStringLiteral("czech.eky");
        try {
            LoadKeyEcho();
        } catch (const VeltraError& e) {
            return e.message();
        }
        return QString();
    }

    TestEnvironment env;
};

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

struct LoadCase {
    const char* name;
    QByteArray file;
    std::vector<Entry> entries;
    const char* error; // "" when the load succeeds
};

class KeyEchoLoad : public KeyEchoFile, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(KeyEchoLoad, StoresTheEntriesInFileOrder)
{
    EXPECT_EQ(Load(GetParam().file), U(GetParam().error));
    EXPECT_EQ(FilledEntries(), GetParam().entries);
}

INSTANTIATE_TEST_SUITE_P(
    Files, KeyEchoLoad,
    ::testing::Values(
        LoadCase{"EmptyFile", "", {}, ""},
        LoadCase{"OneEntry", "65=big ay\n", {{65, "big ay"}}, ""},
        LoadCase{"CodesInEveryForm", " 66=b\n+67=c\n$2C=comma\n0x2E=full stop\n",
                 {{66, "b"}, {67, "c"}, {44, "comma"}, {46, "full stop"}}, ""},
        LoadCase{"OnlyTheLowEightBitsCount", "300=a\n-1=b\n256=c\n$1FF=d\n",
                 {{44, "a"}, {255, "b"}, {0, "c"}, {255, "d"}}, ""},
        LoadCase{"EmptyEcho", "32=\n33=x\n", {{32, ""}, {33, "x"}}, ""},
        LoadCase{"FurtherEqualsBelongToTheEcho", "61==\n62=a=b\n", {{61, "="}, {62, "a=b"}}, ""},
        LoadCase{"EchoIsNotTrimmed", "65= a \n", {{65, " a "}}, ""},
        LoadCase{"BlankLinesUseNoEntry", "\n65=a\n\n\n66=b\n\n", {{65, "a"}, {66, "b"}}, ""},
        LoadCase{"RepeatedCodesAreAllStored", "65=first\n65=second\n", {{65, "first"}, {65, "second"}}, ""},
        LoadCase{"CrLfLineEnds", "65=a\r\n66=b\r\n", {{65, "a"}, {66, "b"}}, ""},
        LoadCase{"LoneCrIsDropped", "65=a\rb\n", {{65, "ab"}}, ""},
        LoadCase{"CtrlZEndsTheFile", "65=a\n\x1A" "66=b\n", {{65, "a"}}, ""},
        LoadCase{"LastLineWithoutLineEnd", "65=a\n66=b", {{65, "a"}, {66, "b"}}, ""},
        LoadCase{"Windows1250Echo", "232=\xE8\xE9\n", {{232, U("čé")}}, ""},
        LoadCase{"TrailingSpaceInCodeStops", "65=a\n66 =b\n67=c\n", {{65, "a"}},
                 "'66 ' is not a valid integer value"},
        LoadCase{"WordAsCodeStops", "65=a\nabc=x\n67=c\n", {{65, "a"}}, "'abc' is not a valid integer value"},
        LoadCase{"LineWithoutEqualsStops", "65=a\nhello\n67=c\n", {{65, "a"}},
                 "'' is not a valid integer value"},
        LoadCase{"LineOfSpacesStops", "65=a\n   \n67=c\n", {{65, "a"}}, "'' is not a valid integer value"},
        LoadCase{"EmptyCodeStops", "=nothing\n", {}, "'' is not a valid integer value"},
        LoadCase{"BadCodeInWindows1250", "\xE8=x\n", {}, "'\xC4\x8D' is not a valid integer value"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(KeyEchoFile, IgnoresEntriesBeyondTheTable)
{
    QByteArray file;
    for (int i = 0; i < 300; ++i)
        file += QByteArray::number(i) + "=e" + QByteArray::number(i) + "\n";
    ASSERT_EQ(Load(file), QString());
    EXPECT_EQ(KeyEcho().echokeys[255].code, 255);
    EXPECT_EQ(KeyEcho().echokeys[255].text, QStringLiteral("e255"));
    // Line 257 (code 256, low bits 0) found no place; entry 0 keeps line 1.
    EXPECT_EQ(FindKeyEcho(QChar(0)), QStringLiteral("e0"));
}

TEST_F(KeyEchoFile, MissingFileRaisesFileNotFound)
{
    KeyEcho().keyechofile = QStringLiteral("english.eky");
    try {
        LoadKeyEcho();
        FAIL() << "no error raised";
    } catch (const FileError& e) {
        EXPECT_EQ(e.code(), 2);
        EXPECT_EQ(e.message(), QStringLiteral("File not found"));
    }
    EXPECT_EQ(FilledEntries(), std::vector<Entry>{});
}

struct FindCase {
    const char* name;
    QByteArray file;
    QChar character;
    const char* echo;
};

class KeyEchoLookup : public KeyEchoFile, public ::testing::WithParamInterface<FindCase> {};

TEST_P(KeyEchoLookup, FindsTheFirstEntryWithTheCharactersCode)
{
    ASSERT_EQ(Load(GetParam().file), QString());
    EXPECT_EQ(FindKeyEcho(GetParam().character), U(GetParam().echo));
}

const QByteArray kEchoes = "65=ay\n"
                           "232=\xE8\xE9\n" // č
                           "142=\x9E" "et\n" // Ž
                           "32=\n"
                           "65=second ay\n"
                           "26=control zed\n";

INSTANTIATE_TEST_SUITE_P(
    Characters, KeyEchoLookup,
    ::testing::Values(
        FindCase{"CapitalA", kEchoes, QLatin1Char('A'), "ay"},
        FindCase{"FirstOfTwoEntriesWins", "66=one\n66=two\n", QLatin1Char('B'), "one"},
        FindCase{"ComparedByWindows1250Code", kEchoes, QChar(0x010D), "čé"},
        FindCase{"CodeAbove127", kEchoes, QChar(0x017D), "žet"},
        FindCase{"EmptyEcho", kEchoes, QLatin1Char(' '), ""},
        FindCase{"NoEntry", kEchoes, QLatin1Char('a'), ""},
        FindCase{"CodeZeroFindsAnUnfilledEntry", kEchoes, QChar(0), ""},
        FindCase{"CodeZeroWithAnEntry", "65=ay\n0=null\n", QChar(0), "null"},
        FindCase{"ControlCharacter", kEchoes, QChar(0x1A), "control zed"},
        FindCase{"CharacterOutsideWindows1250", kEchoes, QChar(0x03A9), ""},
        FindCase{"EmptyTable", "", QLatin1Char('A'), ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct CapitalCase {
    const char* name;
    QChar character;
    int table;
    bool capital;
};

class CapitalLetter : public ::testing::TestWithParam<CapitalCase> {};

TEST_P(CapitalLetter, IsRecognised)
{
    EXPECT_EQ(IsCapitalLetter(GetParam().character, GetParam().table), GetParam().capital);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, CapitalLetter,
    ::testing::Values(
        CapitalCase{"ZWithCaron", QChar(0x017D), 2, true}, CapitalCase{"AWithAcute", QChar(0x00C1), 2, true},
        CapitalCase{"SmallZWithCaron", QChar(0x017E), 2, false},
        CapitalCase{"SmallAWithAcute", QChar(0x00E1), 2, false},
        CapitalCase{"SectionSignClosesThePairs", QChar(0x00A7), 2, false},
        CapitalCase{"Z", QLatin1Char('Z'), 2, true}, CapitalCase{"A", QLatin1Char('A'), 2, true},
        CapitalCase{"SmallZ", QLatin1Char('z'), 2, false}, CapitalCase{"Digit", QLatin1Char('5'), 2, false},
        CapitalCase{"AtSignBeforeA", QLatin1Char('@'), 2, false},
        CapitalCase{"BracketAfterZ", QLatin1Char('['), 2, false},
        CapitalCase{"SlovakLWithCaron", QChar(0x013D), 2, true},
        CapitalCase{"SlovakOWithCircumflex", QChar(0x00D4), 2, true},
        CapitalCase{"UWithRing", QChar(0x016E), 2, true},
        CapitalCase{"CapitalOutsideThePairs", QChar(0x0141), 2, false}, // Ł
        CapitalCase{"SharpS", QChar(0x00DF), 2, false},
        CapitalCase{"GreekCapital", QChar(0x03A9), 2, false},
        CapitalCase{"OtherTableStillKnowsAToZ", QLatin1Char('Q'), 1, true},
        CapitalCase{"OtherTableKnowsNoAccentedCapitals", QChar(0x00C1), 1, false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
