#include "ContainerFixture.h"
#include "Sandbox.h"
#include "ScriptedQuestions.h"
#include "app/EXEVersion.h"
#include "app/Startup.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

const std::string Marker = std::string("SEALVANE-VERSION") + "-BLOCK:";

// "text/major.minor.release.build" of a version read.
std::string Shown(const TEXEVersion& v)
{
    return v.VersionText + "/" + std::to_string(v.Major) + "." + std::to_string(v.Minor) + "." +
           std::to_string(v.Release) + "." + std::to_string(v.Build);
}

TEST(VersionTest, FilesWithoutAValidBlockAnswerFalseWithZeros)
{
    TempDir dir;
    // "@" stands for the block's marker.
    for (std::string bytes : {"plain text without any block"s, ""s, "@"s, "@\0"s, "@1.2.x.4\0"s, "@1.2.3\0"s,
                              "@1.2.3.4"s, "@1.2.3.4.5\0"s, "@1.2.3.65536\0"s, "@1.-2.3.4\0"s}) {
        if (bytes.starts_with('@')) {
            bytes.replace(0, 1, Marker);
        }
        WriteWholeFile(dir.File("program"), "\177ELF..." + bytes);
        TEXEVersion version{"1.2.3", 1, 2, 3, 4};
        EXPECT_FALSE(version.Read(dir.File("program"))) << bytes;
        EXPECT_EQ(Shown(version), "/0.0.0.0") << bytes;
    }
}

TEST(VersionTest, FirstValidBlockCountsWhereverItLies)
{
    TempDir dir;
    const std::string damaged = Marker + "9.9.x\0"s;
    const std::string valid = Marker + "12.0.65535.7\0"s;
    const std::size_t border = std::size_t(1) << 20; // a likely size of the reading buffer
    // The valid block at the start, and cut by the border inside its marker, inside its numbers
    // and right after them.
    for (const std::size_t start : {damaged.size(), std::size_t(4096), border - 5, border - Marker.size() - 3,
                                    border - valid.size() + 1, 3 * border}) {
        WriteWholeFile(dir.File("program"), std::string(start - damaged.size(), 'x') + damaged + valid + Marker +
                                                "1.1.1.1\0"s + std::string(100, 'y'));
        TEXEVersion version;
        ASSERT_TRUE(version.Read(dir.File("program"))) << start;
        EXPECT_EQ(Shown(version), "12.0.65535/12.0.65535.7");
    }
    // A real program of another version; this program's own block the instance script reads, as
    // the update of an installed copy does.
    TEXEVersion probe;
    ASSERT_TRUE(probe.Read(SEALVANE_TEST_VERSION_PROBE));
    EXPECT_EQ(Shown(probe), "7.8.9/7.8.9.1234");
}

TEST(VersionTest, OnlyAHigherBuildOfTheSameReleaseReplacesTheInstalledCopy)
{
    // A higher build replacing, another release not, the instance script checks with real programs.
    EXPECT_FALSE(IsNewerBuildOfSameRelease({"1.2.3", 1, 2, 3, 39}, {"1.2.3", 1, 2, 3, 40})) << "older build";
    EXPECT_FALSE(IsNewerBuildOfSameRelease({"1.2.3", 1, 2, 3, 40}, {"1.2.3", 1, 2, 3, 40})) << "the same build";
    EXPECT_FALSE(IsNewerBuildOfSameRelease({"1.0.0", 1, 0, 0, 5}, TEXEVersion())) << "installed copy unreadable";
}

// Runs body in a child process as a user who may not write into a folder that only its owner
// may write: root may write everywhere, so the child drops to the user "nobody" then. Answers
// the child's exit code (-1 when it did not end by itself).
int ExitCodeAsAnotherUser(const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0) ? 100 : body());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(VersionTest, AnInstalledCopyIsReplacedWholeOrNotAtAll)
{
    Sandbox sandbox;
    ScriptedQuestions user;
    const fs::path installed = sandbox.Install();
    const fs::path folder = installed.parent_path();
    const std::string newer = sandbox.File("newer-build");
    WriteWholeFile(newer, "the newer build");
    // The sandbox is private; the other user must reach the newer build and the installed folder.
    for (const auto& path : {folder.parent_path().parent_path(), folder.parent_path(), folder, installed}) {
        ::chmod(path.c_str(), 0755);
    }
    TSettings settings([](const std::string&, const std::string&) {});

    // A folder the user may not write, like /usr/bin: the update fails before anything is
    // written and says so.
    ::chmod(folder.c_str(), 0555);
    EXPECT_EQ(ExitCodeAsAnotherUser([&] {
                  user.ExpectInfoBox("Information", "Failed to update your local copy of Sealvane!");
                  const bool replaced = Startup::ReplaceInstalledCopy(settings, newer, user);
                  return replaced ? 1 : user.AllAsked() && !::testing::Test::HasFailure() ? 0 : 2;
              }),
              0)
        << "1: replaced, 2: not the expected message, 100: cannot become another user";
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(TreeOf(folder), (TFileMap{{"sealvane", "program"}})) << "nothing written beside it";
    EXPECT_EQ(settings.InstalledVersion, "");

    // Where the user may write, the newer build takes the installed file's place, executable.
    EXPECT_TRUE(Startup::ReplaceInstalledCopy(settings, newer, user));
    EXPECT_EQ(TreeOf(folder), (TFileMap{{"sealvane", "the newer build"}}));
    EXPECT_EQ(std::tuple(fs::status(installed).permissions(), settings.InstalledVersion),
              std::tuple(fs::perms(0755), "1.0"));
}

} // namespace
