#include "settings/InstallRecord.h"
#include "app/Sandbox.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(InstallRecordTest, OnlyAnAbsoluteProgramFileCountsAndTrueIsKeptForTheProcessButFalseIsAskedAgain)
{
    Sandbox sandbox;
    std::string path = "stale";
    EXPECT_FALSE(IsInstalled(path)) << "no record at all";
    EXPECT_EQ(path, "");

    std::filesystem::create_directories(sandbox.File("folder"));
    const std::string program = sandbox.File("my program");
    WriteWholeFile(program, "x");
    // The last record is relative: it would depend on the folder the program was started in.
    const std::string refused[] = {"ProgPath=   \n", "ProgPath=" + sandbox.File("missing") + "\n",
                                   "ProgPath=" + sandbox.File("folder") + "\n", "# ProgPath=" + program,
                                   "ProgPath=my program\n"};
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(sandbox.File(""));
    for (const std::string& record : refused) {
        sandbox.WriteRecord(record);
        EXPECT_FALSE(IsInstalled()) << record;
    }
    std::filesystem::current_path(previous);

    sandbox.WriteRecord("# written by the package\r\n[Install]\r\nVersion=1.0\r\n  ProgPath =  " + program +
                        "  \r\nProgPath=/elsewhere\r\n");
    EXPECT_TRUE(IsInstalled()) << "an installation made meanwhile is noticed";
    sandbox.RemoveRecord();
    std::filesystem::remove(program);
    EXPECT_TRUE(IsInstalled(path)) << "a removal is not noticed";
    EXPECT_EQ(path, program) << "the first path, without the blanks around it";
    ResetInstalledCache();
    EXPECT_FALSE(IsInstalled());
}
