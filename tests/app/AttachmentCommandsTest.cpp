#include "FlowFixture.h"

#include <filesystem>

namespace {

using Kind = ScriptedQuestions::Kind;
namespace fs = std::filesystem;

std::string OverwriteText(const std::string& file)
{
    const fs::path path(file);
    return "Overwrite file '" + path.parent_path().string() + "'\\'" + path.filename().string() + "'";
}

// An opened container "Report.xvt" holding the text "report text" and three attachments, in
// catalog order (the newest first) one.txt, deep/two.txt and three.txt.
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
        FOut = FDir.File("out");
        fs::create_directory(FOut);
    }

    TAttachmentCommands& Commands() { return FCommands.Attachments(); }

    TestWindow* FWindow = nullptr;
    std::string FOut;
};

TEST_F(AttachmentCommandsTest, OverwriteAnswersDecideFileByFile)
{
    const std::string one = FOut + "/one.txt";
    const std::string two = FOut + "/deep/two.txt";
    const std::string three = FOut + "/three.txt";
    struct Case
    {
        TAnswer FAnswer;
        std::string FOne;
        std::string FThree;
        bool FExplored;
    };
    const Case cases[] = {
        {TAnswer::Cancel, "old", "", false},
        {TAnswer::No, "old", "third", true},
        {TAnswer::Yes, "first", "third", true},
    };
    for (const Case& c : cases) {
        fs::remove_all(FOut);
        MakeFile("out/one.txt", "old");
        FUser.FShellOpened.clear();
        FUser.ExpectChoice(Kind::Folder, "Extract all attachments...", {FOut})
            .Expect(Kind::YesNoCancel, "Overwrite", OverwriteText(one), c.FAnswer);
        Commands().ExtractAllAttachments(*FWindow);
        EXPECT_EQ(ReadWholeFile(one), c.FOne);
        EXPECT_EQ(fs::exists(two), c.FAnswer != TAnswer::Cancel) << "Cancel stops before the rest";
        EXPECT_EQ(fs::exists(three) ? ReadWholeFile(three) : "", c.FThree);
        EXPECT_EQ(FUser.FShellOpened, c.FExplored ? std::vector<std::string>{FOut} : std::vector<std::string>{});
    }
    EXPECT_EQ(ReadWholeFile(two), "second") << "relative folders are kept";
    EXPECT_EQ(FSettings.DefaultCurrentDirectory, FOut);
}

TEST_F(AttachmentCommandsTest, SelectedAttachmentsAreExtractedWithoutOpeningTheFolder)
{
    FWindow->FSelected = {0, 2};
    FUser.ExpectChoice(Kind::Folder, "Extract selected attachments...", {FOut});
    Commands().ExtractSelectedAttachments(*FWindow);
    EXPECT_EQ(ReadWholeFile(FOut + "/one.txt"), "first");
    EXPECT_EQ(ReadWholeFile(FOut + "/three.txt"), "third");
    EXPECT_FALSE(fs::exists(FOut + "/deep"));
    EXPECT_TRUE(FUser.FShellOpened.empty());
    EXPECT_EQ(FUser.FProgressBegun.size(), 2u);
    EXPECT_EQ(FUser.FProgressRunning, 0);
}

TEST_F(AttachmentCommandsTest, TextAndAttachmentsGoIntoASubFolderNamedAfterTheContainer)
{
    FUser.ExpectChoice(Kind::Folder, "Extract text and attachments...", {FOut});
    Commands().ExtractTextAndAttachments(*FWindow);
    EXPECT_EQ(ReadWholeFile(FOut + "/Report/Report.rtf"), "report text");
    EXPECT_EQ(ReadWholeFile(FOut + "/Report/deep/two.txt"), "second");
    EXPECT_EQ(FUser.FShellOpened, std::vector<std::string>{FOut + "/Report"});

    // Without the sub-folder, and No to the text file: attachments written, text left alone.
    FSettings.ExtractAllInSubdir = false;
    MakeFile("out/Report.rtf", "older text");
    FUser.ExpectChoice(Kind::Folder, "Extract text and attachments...", {FOut})
        .Expect(Kind::YesNoCancel, "Overwrite", "Overwrite file '" + FOut + "/Report.rtf'", TAnswer::No);
    Commands().ExtractTextAndAttachments(*FWindow);
    EXPECT_EQ(ReadWholeFile(FOut + "/Report.rtf"), "older text");
    EXPECT_EQ(ReadWholeFile(FOut + "/one.txt"), "first");
}

TEST_F(AttachmentCommandsTest, TextIsSavedAsTheFileTheUserNames)
{
    const std::string target = FOut + "/letter.rtf";
    FUser.ExpectChoice(Kind::SaveFile, "Extract text...", {target}, "Report.rtf");
    Commands().ExtractText(*FWindow);
    EXPECT_EQ(ReadWholeFile(target), "report text");
    EXPECT_EQ(FUser.FShellOpened, std::vector<std::string>{FOut});
}

TEST_F(AttachmentCommandsTest, DeletingAsksOnceAndRemovesTheSelectedEntries)
{
    FWindow->FSelected = {0, 2};
    FUser.Expect(Kind::YesNo, "Delete attachments", "Delete selected attachments. Are you sure?", TAnswer::No);
    Commands().DeleteSelectedAttachments(*FWindow);
    EXPECT_EQ(FWindow->AttachmentNames().size(), 3u);

    FUser.Expect(Kind::YesNo, "Delete attachments", "Delete selected attachments. Are you sure?", TAnswer::Yes);
    Commands().DeleteSelectedAttachments(*FWindow);
    EXPECT_EQ(FWindow->AttachmentNames(), std::vector<std::string>{"two.txt"});

    FWindow->FSelected.clear();
    Commands().DeleteSelectedAttachments(*FWindow); // nothing selected: nothing asked
}

TEST_F(AttachmentCommandsTest, AddedFilesAreDroppedOntoTheWindow)
{
    const std::string added = MakeFile("new/added.txt", "added");
    FUser.ExpectChoice(Kind::OpenFiles, "Add attachments...", {added});
    Commands().AddAttachments(*FWindow);
    EXPECT_EQ(FWindow->AttachmentNames(), (std::vector<std::string>{"added.txt", "one.txt", "two.txt", "three.txt"}));
    EXPECT_EQ(FWindows.size(), 1u);
}

} // namespace
