#include "settings/InstallRecord.h"
#include "app/Sandbox.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class InstallRecordTest : public ::testing::Test
{
protected:
    Sandbox FSandbox;
};

} // namespace

TEST_F(InstallRecordTest, OnlyAnAbsoluteProgramFileCountsAndTrueIsKeptForTheProcessButFalseIsAskedAgain)
{
    std::string path = "stale";
    EXPECT_FALSE(IsInstalled(path)) << "no record at all";
    EXPECT_EQ(path, "");

    std::filesystem::create_directories(FSandbox.File("folder"));
    const std::string program = FSandbox.File("my program");
    WriteWholeFile(program, "x");
    // The last record is relative: it would depend on the folder the program was started in.
    const std::string refused[] = {"ProgPath=   \n", "ProgPath=" + FSandbox.File("missing") + "\n",
                                   "ProgPath=" + FSandbox.File("folder") + "\n", "# ProgPath=" + program,
                                   "ProgPath=my program\n"};
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(FSandbox.File(""));
    for (const std::string& record : refused) {
        FSandbox.WriteRecord(record);
        EXPECT_FALSE(IsInstalled()) << record;
    }
    std::filesystem::current_path(previous);

    FSandbox.WriteRecord("# written by the package\r\n[Install]\r\nVersion=1.0\r\n  ProgPath =  " + program +
                         "  \r\nProgPath=/elsewhere\r\n");
    EXPECT_TRUE(IsInstalled()) << "an installation made meanwhile is noticed";
    FSandbox.RemoveRecord();
    std::filesystem::remove(program);
    EXPECT_TRUE(IsInstalled(path)) << "a removal is not noticed";
    EXPECT_EQ(path, program) << "the first path, without the blanks around it";
    ResetInstalledCache();
    EXPECT_FALSE(IsInstalled());
}
