#include "shell/errors.h"
#include "shell/ram_image.h"
#include "testsupport/file_faults.h"
#include "testsupport/test_environment.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
QByteArray Bytes(int count, int firstValue)
{
    QByteArray b(count, 0);
    for (int i = 0; i < count; ++i)
        b[i] = static_cast<char>((firstValue + i) & 0xFF);
    return b;
}
} // namespace

struct LoadCase {
    const char* name;
    int fileSize; // -1: no file
};

class RamLoad : public ::testing::TestWithParam<LoadCase> {};

// Loads a file of the given size filled with 1, 2, 3 ..., then saves: the
// image holds the first 65536 bytes at most, the rest zero, and the saved
// file is always exactly the image.
TEST_P(RamLoad, FillsTheImageFromTheFileStartAndSavesAllOfIt)
{
    TestEnvironment env;
    const int size = GetParam().fileSize;
    if (size >= 0)
        env.writeFile("ram.dat", Bytes(size, 1));
    RamImage().fill(0xEE);
    ClearRamImage();
    LoadRamImage();
    const int loaded = std::min(std::max(size, 0), kRamSize);
    for (int a : {0, 9, 10, 50730, 65535}) {
        const uint8_t expected = a < loaded ? static_cast<uint8_t>((1 + a) & 0xFF) : 0;
        EXPECT_EQ(Peek(a), expected) << "address " << a;
    }
    SaveRamImage();
    QByteArray saved = env.readFile("ram.dat");
    ASSERT_EQ(saved.size(), kRamSize);
    EXPECT_EQ(saved.left(loaded), Bytes(loaded, 1));
    EXPECT_EQ(saved.mid(loaded), QByteArray(kRamSize - loaded, 0));
}

INSTANTIATE_TEST_SUITE_P(Sizes, RamLoad,
                         ::testing::Values(LoadCase{"NoFile", -1}, LoadCase{"Empty", 0},
                                           LoadCase{"TenBytes", 10},
                                           LoadCase{"Exact", kRamSize},
                                           LoadCase{"Longer", kRamSize + 100}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RamPeek, TruncatesTheAddress)
{
    ClearRamImage();
    RamImage()[kReviewLockAddress] = 1;
    EXPECT_EQ(Peek(50730.9), 1);
    EXPECT_EQ(Peek(50731.0), 0);
    ClearRamImage();
}

TEST(RamLoadFailure, UnreadableFileIsAccessDenied)
{
    TestEnvironment env;
    env.writeFile("ram.dat", "abc");
    QFile::setPermissions(env.path("ram.dat"), QFile::WriteOwner);
    ScopedUnprivilegedUser user(env.dir().toLocal8Bit().constData());
    try {
        LoadRamImage();
        FAIL() << "the load should have failed";
    } catch (const FileError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("File access denied"));
    }
}

TEST(RamSaveFailure, ReadOnlyFileIsAccessDeniedAndKeepsItsContent)
{
    TestEnvironment env;
    env.writeFile("ram.dat", "old");
    QFile::setPermissions(env.path("ram.dat"), QFile::ReadOwner | QFile::ReadOther);
    {
        ScopedUnprivilegedUser user(env.dir().toLocal8Bit().constData());
        EXPECT_THROW(
            {
                try {
                    SaveRamImage();
                } catch (const FileError& e) {
                    EXPECT_EQ(e.code(), 5);
                    EXPECT_EQ(e.message(), QStringLiteral("File access denied"));
                    throw;
                }
            },
            FileError);
    }
    EXPECT_EQ(env.readFile("ram.dat"), QByteArray("old"));
}

TEST(RamSaveFailure, FullDiskIsReportedAndTheOldFileStaysWhole)
{
    TestEnvironment env;
    const QByteArray old = Bytes(kRamSize, 7);
    env.writeFile("ram.dat", old);
    QFile::setPermissions(env.path("ram.dat"), QFile::ReadOwner | QFile::WriteOwner);
    ClearRamImage();
    {
        ScopedFileSizeLimit limit(1000);
        try {
            SaveRamImage();
            FAIL() << "the save should have failed";
        } catch (const FileError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("Disk full"));
        }
    }
    EXPECT_EQ(env.readFile("ram.dat"), old);
    EXPECT_EQ(QFile::permissions(env.path("ram.dat")) & 0xF0FF,
              QFile::ReadOwner | QFile::WriteOwner);
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(env.dir()).entryList(QDir::Files), QStringList{QStringLiteral("ram.dat")});
}

TEST(RamSave, ReplacementKeepsThePermissions)
{
    TestEnvironment env;
    env.writeFile("ram.dat", "x");
    const auto perms = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QFile::setPermissions(env.path("ram.dat"), perms);
    ClearRamImage();
    SaveRamImage();
    EXPECT_EQ(env.readFile("ram.dat").size(), kRamSize);
    EXPECT_EQ(QFile::permissions(env.path("ram.dat")) & 0xF0FF, perms);
}
