#include "input/braille_table.h"

#include "shell/errors.h"
#include "testsupport/file_faults.h"
#include "testsupport/test_environment.h"

#include <QDir>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

// Everything here is local to this test file.
namespace {

struct Prefix {
    QString name, dots;
    bool operator==(const Prefix&) const = default;
};
struct Row {
    QString section, character, dots;
    bool operator==(const Row&) const = default;
};

void PrintTo(const Prefix& p, std::ostream* os) { *os << p.name.toStdString() << "=" << p.dots.toStdString(); }
void PrintTo(const Row& r, std::ostream* os)
{
    *os << "[" << r.section.toStdString() << "] " << r.character.toStdString() << "="
        << r.dots.toStdString();
}

std::vector<Prefix> PrefixesInUse()
{
    std::vector<Prefix> out;
    const BrailleTableState& t = BrailleTable();
    for (int i = 0; i < t.brlprefcount; ++i)
        out.push_back({t.brlprefixes[i].name, t.brlprefixes[i].dots});
    return out;
}

std::vector<Row> RowsInUse()
{
    std::vector<Row> out;
    const BrailleTableState& t = BrailleTable();
    for (int i = 0; i < t.brlcharcount; ++i)
        out.push_back({t.brlchars[i].section, t.brlchars[i].character, t.brlchars[i].dots});
    return out;
}

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

class BrailleTableFile : public ::testing::Test {
protected:
    void SetUp() override { ResetBrailleTable(); }
    void TearDown() override { ResetBrailleTable(); }

    void Load(const QByteArray& bytes)
    {
        env.writeFile(QStringLiteral("czech.vbt"), bytes);
        BrailleTable().brailletablefile = QStringLiteral("czech.vbt");
        LoadBrailleTable();
    }

    TestEnvironment env;
};

struct LoadCase {
    const char* name;
    QByteArray file;
    std::vector<Prefix> prefixes;
    std::vector<Row> rows;
};

class BrailleTableLoad : public BrailleTableFile, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(BrailleTableLoad, FillsTheTablesByTheLineRules)
{
    Load(GetParam().file);
    EXPECT_EQ(PrefixesInUse(), GetParam().prefixes);
    EXPECT_EQ(RowsInUse(), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrailleTableLoad,
    ::testing::Values(
        LoadCase{"EmptyFile", "", {}, {}},
        LoadCase{"OnlySkippedSections", "[other]\na=1\n[notes]\n#cap=6\n", {}, {}},
        LoadCase{"AllThreeKinds",
                 "[prefixes]\n#cap=6\n[characters]\na=1\n[#cap]\nA=1\n",
                 {{"#cap", "6"}},
                 {{"", "a", "1"}, {"#cap", "A", "1"}}},
        LoadCase{"SecondEqualsBelongsToTheDots", "[characters]\na=1=2\n", {}, {{"", "a", "1=2"}}},
        LoadCase{"LineWithoutEqualsIsCharacterAndDots", "[characters]\nabc\n", {}, {{"", "abc", "abc"}}},
        LoadCase{"EmptyCharacterOrDots", "[characters]\n=1\nb=\n", {}, {{"", "", "1"}, {"", "b", ""}}},
        LoadCase{"PartsAreNotTrimmed", "[characters]\n a = 1 \n", {}, {{"", " a ", " 1 "}}},
        LoadCase{"BlankLinesUseNoRowNumber", "[characters]\n\na=1\n\n\nb=12\n\n", {},
                 {{"", "a", "1"}, {"", "b", "12"}}},
        LoadCase{"HeaderInOtherCaseIsSkipped", "[Characters]\na=1\n[PREFIXES]\n#cap=6\n", {}, {}},
        LoadCase{"HeaderWithSpaceAfterBracketIsSkipped", "[characters] \na=1\n[prefixes] \n#cap=6\n", {}, {}},
        LoadCase{"HeaderWithSpaceInsideIsSkipped", "[ characters]\na=1\n", {}, {}},
        LoadCase{"HeaderLosesItsLastCharacterWhateverItIs", "[characters)\na=1\n", {}, {{"", "a", "1"}}},
        LoadCase{"LoneBracketIsAnUnreadSection", "[characters]\na=1\n[\nb=12\n", {}, {{"", "a", "1"}}},
        LoadCase{"TwoCharacterSectionsAddUp", "[characters]\na=1\n[x]\nz=9\n[characters]\nb=12\n", {},
                 {{"", "a", "1"}, {"", "b", "12"}}},
        LoadCase{"SecondPrefixesSectionReplacesTheFirst",
                 "[prefixes]\n#a=1\n#b=2\n[prefixes]\n#c=3\n", {{"#c", "3"}}, {}},
        LoadCase{"PrefixesTakeOnlyHashLines", "[prefixes]\n\ncap=6\n #num=3456\n#cap=6\nnote\n#num\n", 
                 {{"#cap", "6"}, {"#num", "#num"}}, {}},
        LoadCase{"HashLineInCharactersIsAnOrdinaryRow", "[characters]\n#=3456\n", {}, {{"", "#", "3456"}}},
        LoadCase{"RowBeginningWithBracketEndsTheSection", "[characters]\na=1\n[=2\nb=12\n", {},
                 {{"", "a", "1"}}},
        LoadCase{"BracketRowCanReopenARealSection", "[characters]\na=1\n[#cap]\nA=1\n", {},
                 {{"", "a", "1"}, {"#cap", "A", "1"}}},
        LoadCase{"LinesBeforeTheFirstHeaderAreIgnored", "a=1\n#cap=6\n\n[characters]\nb=12\n", {},
                 {{"", "b", "12"}}},
        LoadCase{"LastLinesOutsideReadSections", "[characters]\na=1\n[notes]\nb=12\n#c=3\n", {},
                 {{"", "a", "1"}}},
        LoadCase{"PrefixSectionWithoutMatchingPrefixStillLoads", "[#num]\n1=1\n", {}, {{"#num", "1", "1"}}},
        LoadCase{"CtrlZEndsTheFile", "[characters]\na=1\n\x1A\nb=12\n", {}, {{"", "a", "1"}}},
        LoadCase{"CtrlZInsideALine", "[characters]\na=1\x1A" "2\nb=12\n", {}, {{"", "a", "1"}}},
        LoadCase{"CrLfLineEnds", "[prefixes]\r\n#cap=6\r\n[characters]\r\na=1\r\n", {{"#cap", "6"}},
                 {{"", "a", "1"}}},
        LoadCase{"CrWithoutLfIsDropped", "[characters]\na=1\r2\nb\r=12\n", {},
                 {{"", "a", "12"}, {"", "b", "12"}}},
        LoadCase{"LoneCrDoesNotEndALine", "[characters]\ra=1\n[characters]\nb=12\n", {},
                 {{"", "b", "12"}}},
        LoadCase{"LastLineWithoutLineEnd", "[characters]\na=1\nb=12", {},
                 {{"", "a", "1"}, {"", "b", "12"}}},
        LoadCase{"Windows1250Text", "[characters]\n\xE8=146\n[#cap]\n\xC8=146\n\x8E=2346\n", {},
                 {{"", U("č"), "146"}, {"#cap", U("Č"), "146"}, {"#cap", U("Ž"), "2346"}}},
        LoadCase{"DotsOutOfOrderAreLoadedVerbatim", "[characters]\nq=21\nr=1-2\n", {},
                 {{"", "q", "21"}, {"", "r", "1-2"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BrailleTableFile, IgnoresPrefixesBeyondTen)
{
    QByteArray file = "[prefixes]\n";
    for (int i = 1; i <= 14; ++i)
        file += "#p" + QByteArray::number(i) + "=" + QByteArray::number(i) + "\n";
    Load(file);
    ASSERT_EQ(BrailleTable().brlprefcount, 10);
    EXPECT_EQ(BrailleTable().brlprefixes[9].name, QStringLiteral("#p10"));
}

TEST_F(BrailleTableFile, IgnoresRowsBeyondWhatTheOneByteCountHolds)
{
    QByteArray file = "[characters]\n";
    for (int i = 1; i <= 300; ++i)
        file += "c" + QByteArray::number(i) + "=" + QByteArray::number(i) + "\n";
    file += "[#cap]\nA=1\n";
    Load(file);
    ASSERT_EQ(BrailleTable().brlcharcount, 255);
    EXPECT_EQ(BrailleTable().brlchars[254].character, QStringLiteral("c255"));
    EXPECT_TRUE(BrailleTable().brlchars[255].character.isEmpty());
}

TEST_F(BrailleTableFile, TakesLinesOfAnyLength)
{
    const QByteArray longText(1 << 20, 'x');
    Load("[characters]\n" + longText + "=1\n");
    ASSERT_EQ(RowsInUse(), (std::vector<Row>{{"", QString::fromLatin1(longText), "1"}}));
}

struct FailureCase {
    const char* name;
    int fileError;
    // Prepares the current directory so that reading "czech.vbt" fails; what
    // it returns stays alive while the loader runs.
    std::shared_ptr<void> (*prepare)(const TestEnvironment&);
};

class BrailleTableFailure : public BrailleTableFile, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(BrailleTableFailure, RaisesTheFileErrorAndKeepsThePrefixes)
{
    Load("[prefixes]\n#cap=6\n[characters]\na=1\n");
    {
        std::shared_ptr<void> guard = GetParam().prepare(env);
        try {
            LoadBrailleTable();
            ADD_FAILURE() << "no error raised";
        } catch (const FileError& e) {
            EXPECT_EQ(e.code(), GetParam().fileError);
            EXPECT_EQ(e.message(), FileErrorText(GetParam().fileError));
        }
    }
    // The row count is reset before the file is opened; nothing else is touched.
    EXPECT_EQ(PrefixesInUse(), (std::vector<Prefix>{{"#cap", "6"}}));
    EXPECT_EQ(BrailleTable().brlcharcount, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrailleTableFailure,
    ::testing::Values(
        FailureCase{"Missing", 2,
                    [](const TestEnvironment& env) -> std::shared_ptr<void> {
                        QFile::remove(env.path("czech.vbt"));
                        return nullptr;
                    }},
        FailureCase{"Directory", 5,
                    [](const TestEnvironment& env) -> std::shared_ptr<void> {
                        QFile::remove(env.path("czech.vbt"));
                        QDir(env.dir()).mkdir(QStringLiteral("czech.vbt"));
                        return nullptr;
                    }},
        FailureCase{"NoReadPermission", 5,
                    [](const TestEnvironment& env) -> std::shared_ptr<void> {
                        QFile::setPermissions(env.path("czech.vbt"), QFileDevice::WriteOwner);
                        return std::make_shared<ScopedUnprivilegedUser>(
                            env.dir().toLocal8Bit().constData());
                    }}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
