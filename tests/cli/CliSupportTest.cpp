#include "ScriptedConsole.h"
#include "TempDir.h"
#include "cli/Arguments.h"
#include "cli/CommandError.h"
#include "cli/InputFiles.h"
#include "cli/PasswordReader.h"
#include "cli/TerminalConsole.h"
#include "cli/TextFormat.h"
#include "container/ContainerError.h"
#include "container/PathError.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

const std::vector<TOption> Options = {
    {"output", 'o', "DIR", ""}, {"force", 'f', "", ""}, {"yes", 'y', "", ""}, {"memo", 0, "TEXT", ""}};

std::string ErrorOf(const std::vector<std::string>& args)
{
    try {
        TArguments::Parse(args, Options);
    } catch (const EUsageError& error) {
        return error.what();
    }
    return "(no error)";
}

} // namespace

TEST(CliArguments, OptionsStandAnywhereInEveryFormDoubleDashEndsThemAndMistakesAreUsageErrors)
{
    const TArguments args =
        TArguments::Parse({"a", "-o", "x", "b", "--memo=m=1", "-fy", "--output", "y", "-oz", "c"}, Options);
    EXPECT_EQ(args.Positionals(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(args.Value("output"), "z") << "the last one counts";
    EXPECT_EQ(args.Value("memo"), "m=1");
    EXPECT_TRUE(args.Has("force") && args.Has("yes"));

    const TArguments ended = TArguments::Parse({"-", "--", "--force", "-o"}, Options);
    EXPECT_EQ(ended.Positionals(), (std::vector<std::string>{"-", "--force", "-o"})) << "a dash alone is one";
    EXPECT_FALSE(ended.Has("force"));
    EXPECT_EQ(TArguments::Parse({"--memo", "--"}, Options).Value("memo"), "--") << "a value may look like anything";

    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--colour"}, "unknown option '--colour'"},          {{"-fx"}, "unknown option '-x'"},
        {{"--force=yes"}, "option '--force' takes no value"}, {{"a", "--memo"}, "option '--memo' needs a value (TEXT)"},
        {{"-o"}, "option '-o' needs a value (DIR)"},          {{"-1"}, "unknown option '-1'"}};
    for (const auto& [args, error] : cases) {
        EXPECT_EQ(ErrorOf(args), error);
    }
}

// Dates, attributes and yes answers.
TEST(CliText, DatesAttributesAndYesAnswers)
{
    EXPECT_EQ(LocalDateText(1796566985), "2026-12-06 14:23:05");
    EXPECT_EQ(AttributeText(0x23), "RHA");
    EXPECT_EQ(AttributeText(0x121), "R-A+0x100");
    EXPECT_TRUE(IsYesAnswer("y") && IsYesAnswer(" Yes") && IsYesAnswer("ja") && IsYesAnswer("OUI") &&
                IsYesAnswer("jes"));
    EXPECT_FALSE(IsYesAnswer("") || IsYesAnswer("n") || IsYesAnswer("yess") || IsYesAnswer("nein"));
}

TEST(CliFiles, InputFoldersComeWithTheirNameOddThingsAreSkippedAndPasswordFilesGiveTheirFirstLine)
{
    TempDir dir;
    std::filesystem::create_directories(dir.File("docs/sub"));
    WriteWholeFile(dir.File("docs/sub/b.txt"), "bb");
    WriteWholeFile(dir.File("docs/a.txt"), "a");
    WriteWholeFile(dir.File("docs/sub-x.txt"), "x"); // after the folder "sub", as paths compare
    WriteWholeFile(dir.File("single.txt"), "sss");
    std::filesystem::create_directory_symlink(dir.File("docs/sub"), dir.File("docs/loop"));
    ASSERT_EQ(::mkfifo(dir.File("docs/pipe").c_str(), 0600), 0);

    const TInputSelection selection = CollectInputFiles({dir.File("docs/"), dir.File("single.txt")}, "");
    ASSERT_EQ(selection.Files.size(), 4u);
    EXPECT_EQ(selection.Files[0].FullName, dir.File("docs/a.txt"));
    EXPECT_EQ(selection.Files[0].Path.BaseFolder(), dir.Path()) << "a folder is added from its parent";
    EXPECT_EQ(selection.Files[1].FullName, dir.File("docs/sub/b.txt"));
    EXPECT_EQ(selection.Files[2].FullName, dir.File("docs/sub-x.txt"));
    EXPECT_EQ(selection.Files[3].Path.BaseFolder(), dir.Path());
    EXPECT_EQ(selection.TotalSize, 7);
    EXPECT_EQ(selection.Skipped, std::vector<std::string>{dir.File("docs/pipe")});

    EXPECT_EQ(CollectInputFiles({dir.File("docs")}, dir.File("docs/a.txt")).Files.size(), 2u) << "excluded";
    EXPECT_TRUE(CollectInputFiles({dir.File("docs/../single.txt")}, dir.File("single.txt")).Files.empty());
    EXPECT_THROW(CollectInputFiles({dir.File("nothing")}, ""), EContainerError);
    std::filesystem::create_directories(dir.File("odd|folder"));
    WriteWholeFile(dir.File("odd|folder/x"), "x");
    EXPECT_THROW(CollectInputFiles({dir.File("odd|folder")}, ""), EPathError) << "'|' cannot come back";

    // A password file gives its first line; text that Windows-1252 holds becomes its 8-bit form,
    // other text stays UTF-8.
    WriteWholeFile(dir.File("pw"), "Caf\xC3\xA9\r\nsecond\n");
    EXPECT_EQ(ReadPasswordFile(dir.File("pw")), "Caf\xC3\xA9");
    EXPECT_THROW(ReadPasswordFile(dir.File("none")), ECommandError);
    TScriptedConsole console({"Łódź"});
    EXPECT_EQ(TPasswordReader(console).Existing(dir.File("pw")).Bytes(), "Caf\xE9");
    EXPECT_EQ(TPasswordReader(console).Existing(std::nullopt).Bytes(), "Łódź");
}
