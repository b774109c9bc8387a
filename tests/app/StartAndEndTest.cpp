#include "FlowFixture.h"
#include "app/ProgramEnd.h"
#include "app/SecondStart.h"
#include "app/StartWindow.h"
#include "settings/UserFolders.h"
#include "ui/RecordingCommands.h"

#include <sys/stat.h>

namespace {

using Calls = std::vector<std::string>;
using Kind = ScriptedQuestions::Kind;

// The program's start and end over recorded commands and a start window that counts its calls.
class StartAndEndTest : public FlowFixture, public IStartWindow
{
protected:
    IUserInterface& UserInterface() override { return FUser; }
    std::unique_ptr<IBusyIndicator::TGuard> BusyCursor() override { return FUser.BusyCursor(); }
    void RestoreFromTray() override { ++FRestored; }
    void CloseForReal() override { ++FEnded; }

    int FRestored = 0;
    int FEnded = 0;
    TRecordingCommands FRecorded{&FSession};
    TProgramEnd FEnd{FSettings, FTemporaryFiles, FRecorded, *this};
    TSecondStart FStart{FSettings, FRecorded, *this};
};

} // namespace

TEST_F(StartAndEndTest, TheProgramEndsOnlyOnceTheWindowsCloseAndNoFileThatCannotBeWipedIsAborted)
{
    const std::string stuck = MakeFile("stuck.txt", "decrypted text");
    ::chmod(stuck.c_str(), 0444);
    FTemporaryFiles.Add(stuck);
    const std::string text = "Cannot wipe file '" + stuck + "'!";
    FRecorded.FWindowsClose = false;
    EXPECT_FALSE(FEnd.MayEnd()) << "a container window refused to close";
    FRecorded.FWindowsClose = true;
    FUser.Expect(Kind::AbortRetryIgnore, "Warning", text, TAnswer::Abort);
    EXPECT_FALSE(FEnd.MayEnd()) << "Abort keeps the program running";
    FUser.Expect(Kind::AbortRetryIgnore, "Warning", text, TAnswer::Retry)
        .Expect(Kind::AbortRetryIgnore, "Warning", text, TAnswer::Ignore);
    EXPECT_TRUE(FEnd.MayEnd()) << "Ignore goes on to the end";
    EXPECT_TRUE(FUser.AllAsked());
}

TEST_F(StartAndEndTest, HandedOverTextsAndNamedFilesShowOpenForgetOrEndForAnUpdate)
{
    FSandbox.Install();
    ASSERT_TRUE(FSettings.Save(true));
    const std::string note = MakeFile("note.txt", "x");
    const std::string missing = FDir.File("gone.xvt");
    FUser.ExpectInfoBox("Error", "Container '" + missing + "' not found!")
        .ExpectInfoBox("Error", "Container '" + missing + "' not found!");
    FStart.HandleForwardedText(QString::fromStdString(" " + note + " "));
    FStart.HandleForwardedText(QString::fromStdString(missing));
    FRecorded.FOutlook = FSettings.fStart_CheckForOutlookContainer = true;
    FStart.OpenCommandLineFiles({QString::fromStdString(note), QString::fromStdString(missing)});
    FStart.OpenCommandLineFiles({});
    FStart.HandleForwardedText(QString());
    EXPECT_EQ(FRecorded.FCalls, (Calls{"DropFile:" + note, "DropFile:" + note, "Outlook:quiet"}))
        << "named files skip the mail program's container check, a start without files makes it";
    EXPECT_EQ(FRestored, 1);

    FRecorded.FWindows = 1;
    FUser.ExpectInfoBox("Information",
                        "The installed version of Sealvane could not be updated because containers are still open");
    FStart.HandleForwardedText(QStringLiteral("-UPDATE"));
    FRecorded.FMailDialogOpen = true;
    FRecorded.FWindows = 0;
    FStart.HandleForwardedText(QStringLiteral("-UPDATE"));
    EXPECT_EQ(FEnded, 0) << "ignored while the mail dialog is open";
    FStart.HandleForwardedText(QStringLiteral("-U"));
    EXPECT_FALSE(std::filesystem::exists(SettingsFileName())) << "forgotten even while the mail dialog is open";
    FRecorded.FMailDialogOpen = false;
    FStart.HandleForwardedText(QStringLiteral("-UPDATE"));
    EXPECT_EQ(FEnded, 1);
    EXPECT_TRUE(FUser.AllAsked());
}
