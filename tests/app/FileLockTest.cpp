#include "app/FileLock.h"
#include "ChildProcess.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {

class FileLockTest : public ::testing::Test
{
protected:
    void SetUp() override { WriteWholeFile(FFile, "attachment"); }

    TempDir FDir;
    std::string FFile = FDir.File("report.odt");
};

} // namespace

TEST_F(FileLockTest, FileHeldOpenByAnotherProcessIsLockedUntilItEnds)
{
    EXPECT_FALSE(IsFileLocked(FFile));
    ChildProcess child = ChildProcess::HoldingOpen(FFile);
    ASSERT_TRUE(child.WaitUntil(HeldOpenByAnotherProcess, FFile));
    EXPECT_TRUE(IsFileLocked(FFile));
    EXPECT_FALSE(IsFileLocked(FDir.File("missing"))) << "a missing file is never locked";
    child.End();
    EXPECT_FALSE(HeldOpenByAnotherProcess(FFile));
    EXPECT_FALSE(IsFileLocked(FFile));
}

TEST_F(FileLockTest, FileLockedByAnotherProcessIsLocked)
{
    ChildProcess child = ChildProcess::HoldingLock(FFile);
    ASSERT_TRUE(child.WaitUntil(LockedByAnotherProcess, FFile));
    EXPECT_TRUE(IsFileLocked(FFile));
    child.End();
    // The kernel drops the lock as the holder exits; /proc/locks may show it a moment longer.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (LockedByAnotherProcess(FFile) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_FALSE(LockedByAnotherProcess(FFile));
}

TEST_F(FileLockTest, WhatThisProcessHoldsDoesNotCount)
{
    const int descriptor = ::open(FFile.c_str(), O_RDONLY);
    ASSERT_GE(descriptor, 0);
    ASSERT_EQ(::flock(descriptor, LOCK_EX), 0);
    EXPECT_FALSE(HeldOpenByAnotherProcess(FFile));
    EXPECT_FALSE(LockedByAnotherProcess(FFile));
    EXPECT_FALSE(IsFileLocked(FFile));
    ::close(descriptor);
}

TEST_F(FileLockTest, EditorLockFilesBesideTheFileCount)
{
    for (const char* lockName : {".~lock.report.odt#", ".report.odt.swp"}) {
        WriteWholeFile(FDir.File(lockName), "user,host");
        EXPECT_TRUE(IsFileLocked(FFile)) << lockName;
        std::filesystem::remove(FDir.File(lockName));
        EXPECT_FALSE(IsFileLocked(FFile)) << lockName;
    }
    // Emacs' lock is a dangling symbolic link.
    std::filesystem::create_symlink("user@host.4711:1700000000", FDir.File(".#report.odt"));
    EXPECT_TRUE(EditorLockFileExists(FFile));
    EXPECT_FALSE(EditorLockFileExists(FDir.File("other.odt")));
}
