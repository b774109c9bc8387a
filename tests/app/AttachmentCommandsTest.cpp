#include "FlowFixture.h"

#include <filesystem>

namespace {

using Kind = ScriptedQuestions::Kind;
namespace fs = std::filesystem;

// An opened container "Report.xvt" holding the text "report text" and three attachments, in
// catalog order (the newest first) one.txt, deep/two.txt and three.txt; the folder "out" to
// extract into.
class AttachmentCommandsTest : public FlowFixture
{
protected:
    void SetUp() override
    {
        FlowFixture::SetUp();
        const std::string file = FDir.File("Report.xvt");
        MakeMessage(file, "pw", {{"three.txt", "third"}, {"deep/two.txt", "second"}, {"one.txt", "first"}},
                    "report text");
        FWindow = &OpenedWindow(file, "pw");
        fs::create_directory(FOut);
    }

    // The file's contents, empty when it does not exist.
    std::string Out(const std::string& name) { return fs::exists(FOut + name) ? ReadWholeFile(FOut + name) : ""; }

    TAttachmentCommands& Commands() { return FCommands.Attachments(); }

    TestWindow* FWindow = nullptr;
    const std::string FOut = FDir.File("out");
};

TEST_F(AttachmentCommandsTest, OverwriteAnswersDecideFileByFile)
{
    // The answer; then one.txt, deep/two.txt and three.txt, and whether the folder was shown.
    const std::tuple<TAnswer, std::string, std::string, std::string, bool> cases[] = {
        {TAnswer::Cancel, "old", "", "", false}, // Cancel stops before the rest
        {TAnswer::No, "old", "second", "third", true},
        {TAnswer::Yes, "first", "second", "third", true}};
    for (const auto& [answer, one, two, three, explored] : cases) {
        fs::remove_all(FOut);
        MakeFile("out/one.txt", "old");
        FUser.FShellOpened.clear();
        FUser.ExpectChoice(Kind::Folder, "Extract all attachments...", {FOut})
            .Expect(Kind::YesNoCancel, "Overwrite", "Overwrite file '" + FOut + "'\\'one.txt'", answer);
        Commands().ExtractAllAttachments(*FWindow);
        EXPECT_EQ(std::tuple(Out("/one.txt"), Out("/deep/two.txt"), Out("/three.txt")), std::tie(one, two, three));
        EXPECT_EQ(FUser.FShellOpened, explored ? std::vector<std::string>{FOut} : std::vector<std::string>{});
    }
    EXPECT_EQ(FSettings.DefaultCurrentDirectory, FOut);
}

TEST_F(AttachmentCommandsTest, SelectedAttachmentsAreExtractedWithoutOpeningTheFolder)
{
    FWindow->FSelected = {0, 2};
    FUser.ExpectChoice(Kind::Folder, "Extract selected attachments...", {FOut});
    Commands().ExtractSelectedAttachments(*FWindow);
    EXPECT_EQ(Out("/one.txt") + Out("/three.txt"), "firstthird");
    EXPECT_FALSE(fs::exists(FOut + "/deep"));
    EXPECT_TRUE(FUser.FShellOpened.empty());
    EXPECT_EQ(FUser.FProgressBegun.size(), 2u);
    EXPECT_EQ(FUser.FProgressRunning, 0);
}

TEST_F(AttachmentCommandsTest, TextIsExtractedAloneOrWithTheAttachmentsIntoASubFolder)
{
    FUser.ExpectChoice(Kind::SaveFile, "Extract text...", {FOut + "/letter.rtf"}, "Report.rtf");
    Commands().ExtractText(*FWindow);
    EXPECT_EQ(Out("/letter.rtf"), "report text");
    EXPECT_EQ(FUser.FShellOpened, std::vector<std::string>{FOut});

    // Into a sub-folder named after the container the end-to-end test extracts. Without it, and
    // No to the text file: attachments written, text left alone.
    FSettings.ExtractAllInSubdir = false;
    MakeFile("out/Report.rtf", "older text");
    FUser.ExpectChoice(Kind::Folder, "Extract text and attachments...", {FOut})
        .Expect(Kind::YesNoCancel, "Overwrite", "Overwrite file '" + FOut + "/Report.rtf'", TAnswer::No);
    Commands().ExtractTextAndAttachments(*FWindow);
    EXPECT_EQ(Out("/Report.rtf") + Out("/one.txt"), "older textfirst");
}

// Adding through the file dialog is the end-to-end test's.
TEST_F(AttachmentCommandsTest, DeletingAsksOnce)
{
    FWindow->FSelected = {0, 2};
    for (const TAnswer answer : {TAnswer::No, TAnswer::Yes}) {
        FUser.Expect(Kind::YesNo, "Delete attachments", "Delete selected attachments. Are you sure?", answer);
        Commands().DeleteSelectedAttachments(*FWindow);
    }
    EXPECT_EQ(FWindow->AttachmentNames(), std::vector<std::string>{"two.txt"}) << "No deleted nothing";
    FWindow->FSelected.clear();
    Commands().DeleteSelectedAttachments(*FWindow); // nothing selected: nothing asked
}

} // namespace
