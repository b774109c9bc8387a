#include "DragDropFixture.h"
#include "dragdrop/AttachmentHandOver.h"
#include "mail/OutlookContainer.h"

#include <algorithm>
#include <filesystem>

namespace {

class HandOverTest : public DragDropFixture
{
};

} // namespace

TEST_F(HandOverTest, AttachmentsOfOneNameAreHandedOverApartWithTheirBytes)
{
    const std::string file = FDir.File("message.xvt");
    MakeMessage(file, "pw", {{"a/same.txt", "first"}, {"b/same.txt", "second"}, {"c.txt", "third"}});
    TestWindow& window = OpenedWindow(file, "pw");
    TAttachmentHandOver handOver(FSettings, FSession);

    const std::vector<std::string> files = handOver.Extract(window, {0, 1, 2});
    ASSERT_EQ(files.size(), 3u);
    std::vector<std::string> bytes;
    for (const std::string& file : files) {
        bytes.push_back(ReadWholeFile(file));
        EXPECT_TRUE(FTemporaryFiles.Contains(file));
    }
    std::sort(bytes.begin(), bytes.end());
    EXPECT_EQ(bytes, (std::vector<std::string>{"first", "second", "third"})) << "neither same.txt overwrote the other";
    FTemporaryFiles.WipeWindowFiles(1);
    EXPECT_TRUE(std::filesystem::exists(files[0])) << "kept for the receiver after the window closed";
    // Copying to the clipboard is checked between real processes by tests/scripts/drag_and_drop.sh.
}

TEST_F(HandOverTest, TheMailProgramsContainerIsFoundInItsOrder)
{
    const ScriptedPtr mailWindowActive = Outlook(Mail({"shown.xvt"}), {Mail({"selected.xvt"})}, 35);
    // Not reached: the item's own attachments are asked.
    mailWindowActive->FObjects["ActiveInspector"]->FFailing = "Attachments";
    const ScriptedPtr selectionFails = Outlook(nullptr, {Mail({"x.xvt"})}, 34);
    selectionFails->FObjects["ActiveExplorer"]->FFailing = "Selection";
    const struct
    {
        const char* FWhat;
        ScriptedPtr FOutlook;
        std::string FFound; // the saved file's name, its bytes "bytes of <name>"; empty: none
    } rows[] = {
        {"the open mail wins over the main window's selection",
         Outlook(Mail({"notes.txt", "open.xvt"}), {Mail({"selected.xvt"})}, 34), "open.xvt"},
        {"the first of two containers in attachment order", Outlook(nullptr, {Mail({"one.xvt", "two.xvt"})}, 34),
         "one.xvt"},
        {"a .bwk waits for every search of .xvt", Outlook(Mail({"old.bwk"}), {Mail({"new.xvt"})}, 34), "new.xvt"},
        {"a .bwk when nothing offers a .xvt", Outlook(Mail({"old.bwk"}), {}, 34), "old.bwk"},
        {"a mail window's own item when it is the active window", mailWindowActive, "shown.xvt"},
        {"a failing look at the main window means no item there", selectionFails, ""},
        {"an attachment named as a path is passed over", Outlook(Mail({"../../up.xvt", "safe.xvt"}), {}, 35),
         "safe.xvt"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.FWhat);
        FAutomation.FApplication = row.FOutlook;
        std::vector<std::string> asked;
        const std::string fileName = FindOutlookContainer(FAutomation, [&](const std::string& name) {
            asked.push_back(name);
            return FDir.File(name);
        });
        EXPECT_EQ(asked, row.FFound.empty() ? std::vector<std::string>{} : std::vector<std::string>{row.FFound});
        EXPECT_EQ(fileName, row.FFound.empty() ? "" : FDir.File(row.FFound));
        if (!row.FFound.empty()) {
            EXPECT_EQ(ReadWholeFile(fileName), "bytes of " + row.FFound);
        }
    }
}

TEST_F(HandOverTest, TheImportOpensTheFoundContainerOrSaysWhy)
{
    MakeMessage(FDir.File("received.xvt"), "secret", {{"inside.txt", "x"}});
    auto attachment = Mail({"received.xvt"});
    attachment->FObjects["Attachments"]->FItems[0]->FContents = ReadWholeFile(FDir.File("received.xvt"));
    FAutomation.FApplication = Outlook(attachment, {}, 35);
    FUser.ExpectPassword(ScriptedQuestions::Kind::Password, "Password (Outlook container)", "", "secret");
    FImport.OpenContainer(false);
    ASSERT_EQ(FWindows.size(), 1u);
    EXPECT_EQ(OnlyWindow().AttachmentNames(), std::vector<std::string>{"inside.txt"});
    const std::string saved = OnlyWindow().Shown().Container().FileName();
    EXPECT_EQ(std::filesystem::path(saved).parent_path(), FSettings.TempPath);
    EXPECT_TRUE(FTemporaryFiles.Contains(saved));

    FAutomation.FApplication = Outlook(Mail({"letter.txt"}), {}, 35);
    FImport.OpenContainer(false);
    FUser.ExpectInfoBox("Information", "Please select an Outlook message with container file!");
    FImport.OpenContainer(true);

    FAutomation.FApplication = Outlook(Mail({"x.xvt"}), {}, 35);
    FAutomation.FApplication->FFailing = "ActiveInspector";
    FUser.ExpectInfoBox("Error", "The operation failed: ActiveInspector");
    FImport.OpenContainer(true);

    FSession.SetMailDialogOpen(true);
    FImport.OpenContainer(true);
    FSession.SetMailDialogOpen(false);
    EXPECT_EQ(FWindows.size(), 1u);
    EXPECT_TRUE(FUser.AllAsked());
}
