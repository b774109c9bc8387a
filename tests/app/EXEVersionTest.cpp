#include "app/EXEVersion.h"
#include "TempDir.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::string Numbers(const TEXEVersion& version)
{
    return std::to_string(version.Major) + "." + std::to_string(version.Minor) + "." + std::to_string(version.Release) +
           "." + std::to_string(version.Build);
}

TEXEVersion Version(std::int32_t major, std::int32_t minor, std::int32_t release, std::int32_t build)
{
    TEXEVersion version;
    version.Major = major;
    version.Minor = minor;
    version.Release = release;
    version.Build = build;
    version.VersionText = std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(release);
    return version;
}

void ExpectEmpty(const TEXEVersion& version)
{
    EXPECT_EQ(version.VersionText, "");
    EXPECT_EQ(Numbers(version), "0.0.0.0");
}

const std::string Marker = std::string("SEALVANE-VERSION") + "-BLOCK:";

} // namespace

TEST(EXEVersionTest, RunningProgramCarriesTheBuildsVersion)
{
    const std::string expected = SEALVANE_TEST_PROGRAM_VERSION;
    TEXEVersion running;
    ASSERT_TRUE(running.ReadRunningProgram());
    EXPECT_EQ(Numbers(running), expected);
    EXPECT_EQ(running.VersionText + "." + std::to_string(running.Build), expected);

    TEXEVersion byName;
    ASSERT_TRUE(byName.Read(QCoreApplication::applicationFilePath().toStdString()));
    EXPECT_EQ(Numbers(byName), expected) << "read by its path like an installed copy";
    EXPECT_EQ(RunningProgramFile(), QCoreApplication::applicationFilePath().toStdString());
}

TEST(EXEVersionTest, AnotherProgramIsReadWithItsOwnVersion)
{
    TEXEVersion probe;
    ASSERT_TRUE(probe.Read(SEALVANE_TEST_VERSION_PROBE));
    EXPECT_EQ(probe.VersionText, "7.8.9");
    EXPECT_EQ(Numbers(probe), "7.8.9.1234");
}

TEST(EXEVersionTest, FilesWithoutAValidBlockAnswerFalseWithZeros)
{
    TempDir dir;
    TEXEVersion version = Version(1, 2, 3, 4);
    EXPECT_FALSE(version.Read(dir.File("missing")));
    ExpectEmpty(version);

    const std::vector<std::string> damaged = {
        "plain text without any block",
        "",
        Marker,
        Marker + '\0',
        Marker + "1.2.x.4" + '\0',
        Marker + "1.2.3" + '\0',
        Marker + "1.2.3.4",
        Marker + "1.2.3.4.5" + '\0',
        Marker + "1.2.3.65536" + '\0',
        Marker + "1.-2.3.4" + '\0',
    };
    for (const std::string& bytes : damaged) {
        WriteWholeFile(dir.File("program"), "\x7F"
                                            "ELF..." +
                                                bytes);
        version = Version(1, 2, 3, 4);
        EXPECT_FALSE(version.Read(dir.File("program"))) << bytes;
        ExpectEmpty(version);
    }
}

TEST(EXEVersionTest, FirstValidBlockCountsWhereverItLies)
{
    TempDir dir;
    const std::string damaged = Marker + "9.9.x" + '\0';
    const std::string valid = Marker + "12.0.65535.7" + '\0';
    const std::size_t border = std::size_t(1) << 20; // a likely size of the reading buffer
    // The valid block at the start, and cut by the border inside its marker, inside its numbers
    // and right after them.
    for (const std::size_t start : {damaged.size(), std::size_t(4096), border - 5, border - Marker.size() - 3,
                                    border - valid.size() + 1, 3 * border}) {
        std::string bytes(start - damaged.size(), 'x');
        bytes += damaged + valid + Marker + "1.1.1.1" + '\0' + std::string(100, 'y');
        WriteWholeFile(dir.File("program"), bytes);
        TEXEVersion version;
        ASSERT_TRUE(version.Read(dir.File("program"))) << start;
        EXPECT_EQ(version.VersionText, "12.0.65535");
        EXPECT_EQ(Numbers(version), "12.0.65535.7");
    }
}

TEST(EXEVersionTest, OnlyAHigherBuildOfTheSameReleaseReplacesTheInstalledCopy)
{
    EXPECT_TRUE(IsNewerBuildOfSameRelease(Version(1, 2, 3, 40), Version(1, 2, 3, 39)));
    EXPECT_FALSE(IsNewerBuildOfSameRelease(Version(1, 2, 4, 1), Version(1, 2, 3, 39))) << "another release";
    EXPECT_FALSE(IsNewerBuildOfSameRelease(Version(1, 2, 3, 39), Version(1, 2, 3, 40))) << "older build";
    EXPECT_FALSE(IsNewerBuildOfSameRelease(Version(1, 2, 3, 40), Version(1, 2, 3, 40))) << "the same build";
    EXPECT_FALSE(IsNewerBuildOfSameRelease(Version(2, 0, 0, 0), Version(1, 0, 0, 0)));
    EXPECT_FALSE(IsNewerBuildOfSameRelease(TEXEVersion(), TEXEVersion())) << "neither could be read";
    EXPECT_FALSE(IsNewerBuildOfSameRelease(Version(1, 0, 0, 5), TEXEVersion())) << "installed copy unreadable";
}
