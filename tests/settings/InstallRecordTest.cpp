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

TEST_F(InstallRecordTest, RecordsNamingNoProgramFileAnswerFalse)
{
    std::string path = "stale";
    EXPECT_FALSE(IsInstalled(path)) << "no record at all";
    EXPECT_EQ(path, "");

    std::filesystem::create_directories(FSandbox.File("folder"));
    WriteWholeFile(FSandbox.File("program"), "x");
    for (const std::string& record :
         {std::string("ProgPath=\n"), std::string("ProgPath=   \n"), "ProgPath=" + FSandbox.File("missing") + "\n",
          "ProgPath=" + FSandbox.File("folder") + "\n", std::string("Other=x\n"),
          "# ProgPath=" + FSandbox.File("program")}) {
        FSandbox.WriteRecord(record);
        EXPECT_FALSE(IsInstalled()) << record;
    }

    // A relative path would depend on the folder the program was started in.
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(FSandbox.File(""));
    FSandbox.WriteRecord("ProgPath=program\n");
    EXPECT_FALSE(IsInstalled());
    std::filesystem::current_path(previous);
}

TEST_F(InstallRecordTest, PathIsTakenTrimmedAndTrueIsKeptForTheProcessButFalseIsAskedAgain)
{
    EXPECT_FALSE(IsInstalled());
    const std::string program = FSandbox.File("my program");
    WriteWholeFile(program, "x");
    FSandbox.WriteRecord("# written by the package\r\n[Install]\r\nVersion=1.0\r\n  ProgPath =  " + program +
                         "  \r\nProgPath=/elsewhere\r\n");
    EXPECT_TRUE(IsInstalled()) << "an installation made meanwhile is noticed";

    FSandbox.RemoveRecord();
    std::filesystem::remove(program);
    std::string path;
    EXPECT_TRUE(IsInstalled(path)) << "a removal is not noticed";
    EXPECT_EQ(path, program) << "the first path, without the blanks around it";

    ResetInstalledCache();
    EXPECT_FALSE(IsInstalled());
}
