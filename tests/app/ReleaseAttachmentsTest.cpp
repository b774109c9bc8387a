#include "app/ReleaseAttachments.h"
#include "ContainerFixture.h"
#include "ScriptedQuestions.h"
#include "app/FileLock.h"
#include "app/OpenContainer.h"
#include "app/TemporaryFiles.h"
#include "container/LocalFiles.h"
#include "container/LocalTime.h"
#include "language/FormatText.h"
#include "language/Messages.h"
#include "language/MsgText.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Kind = ScriptedQuestions::Kind;
namespace fs = std::filesystem;
using THolds = bool (*)(const std::string&);

// Another process that holds the file open, and locked when asked, until it ends (killed and
// reaped) with the scope.
class ChildProcess
{
public:
    ChildProcess(const std::string& file, bool locked) : FPid(::fork())
    {
        if (FPid == 0) {
            const int descriptor = ::open(file.c_str(), O_RDONLY);
            if (locked) {
                ::flock(descriptor, LOCK_EX);
            }
            ::pause();
            ::_exit(0);
        }
    }
    ~ChildProcess()
    {
        ::kill(FPid, SIGKILL);
        ::waitpid(FPid, nullptr, 0);
    }

private:
    pid_t FPid;
};

// Waits up to ten seconds until holds(file) answers expected.
bool WaitUntil(THolds holds, const std::string& file, bool expected = true)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (holds(file) != expected && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return holds(file) == expected;
}

TEST(FileLockTest, FilesHeldOrLockedByAnotherProcessOrAnEditorAreLocked)
{
    TempDir dir;
    const std::string file = dir.File("report.odt");
    WriteWholeFile(file, "attachment");
    for (const bool locked : {false, true}) {
        SCOPED_TRACE(locked ? "locked" : "held open");
        const THolds holds = locked ? LockedByAnotherProcess : HeldOpenByAnotherProcess;
        {
            ChildProcess child(file, locked);
            ASSERT_TRUE(WaitUntil(holds, file));
            EXPECT_TRUE(IsFileLocked(file));
            EXPECT_FALSE(IsFileLocked(dir.File("missing"))) << "a missing file is never locked";
        }
        // The kernel drops a lock as the holder exits; /proc/locks may show it a moment longer.
        EXPECT_TRUE(WaitUntil(holds, file, false));
        EXPECT_FALSE(IsFileLocked(file));
    }

    // What this process holds does not count.
    const int descriptor = ::open(file.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(descriptor, LOCK_EX), 0);
    EXPECT_FALSE(HeldOpenByAnotherProcess(file) || LockedByAnotherProcess(file) || IsFileLocked(file));
    ::close(descriptor);

    for (const char* lockName : {".~lock.report.odt#", ".report.odt.swp"}) {
        WriteWholeFile(dir.File(lockName), "user,host");
        EXPECT_TRUE(IsFileLocked(file)) << lockName;
        fs::remove(dir.File(lockName));
        EXPECT_FALSE(IsFileLocked(file)) << lockName;
    }
}

// The questions' exact texts are checked with the message catalogue.
const std::string Caption = MsgText(msg::UpdateContainer);
const std::string LeaveLocked = MsgText(msg::LeaveTempFilesLockedConfirm);
const std::string LockedLetter = FormatText(MsgText(msg::FileLockedByOtherApplication), {"letter"});
const std::string LetterModified = FormatText(MsgText(msg::FileModifiedKeepChanges), {"letter"});
const std::string PhotoModified = FormatText(MsgText(msg::FileModifiedKeepChanges), {"photo"});

// An open container with two of its attachments opened in the work folder: the letter first,
// then the photo.
class ReleaseAttachmentsTest : public ContainerFixture
{
protected:
    void SetUp() override
    {
        ContainerFixture::SetUp();
        FOpen.Assign(std::make_unique<TRandomCryptoContainer>(TContainerKey("password")));
        Container().OpenNew(FDir.File("message.xvt"));
        for (const std::string name : {"letter", "photo"}) {
            // Files older than the test, as a user's files are, so that any writing shows.
            const std::string file = MakeFile("source/" + name, "original " + name);
            SetLastWriteLocalSeconds(file, LocalSecondsNow() - 3600 - name.size());
            Container().AddFile(file, FDir.File("source"));
        }
        Container().Close();
        Container().Open(FDir.File("message.xvt"));
        fs::create_directory(FDir.File("SV_Work"));
        // Opened as a container window opens them: decrypted into the work folder, listed with
        // their entries (the catalog lists the newest, the photo, first).
        for (const int index : {1, 0}) {
            FEntries.push_back(Container().GetCatalog().Item(index));
            Container().ExtractFileTo(index, FDir.File("SV_Work/" + FEntries.back()->FPath.FileName()));
        }
        FFiles = FOpened;
        FOldIDs = IDs();
    }

    // The entries' IDs by name; a name stored twice fails the test.
    std::map<std::string, std::int64_t> IDs()
    {
        std::map<std::string, std::int64_t> ids;
        for (const auto& entry : Container().GetCatalog()) {
            EXPECT_TRUE(ids.emplace(entry->FPath.FileName(), entry->FID).second) << "stored twice";
        }
        return ids;
    }

    TContainer& Container() { return FOpen.Container(); }
    bool Release() { return ReleaseOpenedAttachments(FOpen, FUser, FTemporary); }

    TOpenContainer FOpen;
    std::vector<std::string>& FFiles = FOpen.OpenedFiles();
    std::vector<std::shared_ptr<TFileInfo>>& FEntries = FOpen.OpenedEntries();
    ScriptedQuestions FUser;
    TTemporaryFiles FTemporary;
    const std::vector<std::string> FOpened = {FDir.File("SV_Work/letter"), FDir.File("SV_Work/photo")};
    std::map<std::string, std::int64_t> FOldIDs;
};

TEST_F(ReleaseAttachmentsTest, UntouchedOrDeletedAttachmentsAreReleasedWithoutQuestionAndWiped)
{
    fs::remove(FOpened[0]);
    EXPECT_TRUE(Release());
    EXPECT_TRUE(FFiles.empty() && FEntries.empty());
    EXPECT_EQ(FTemporary.Files(), (std::vector<std::string>{FOpened[1], FOpened[0]})) << "last attachment first";
    EXPECT_TRUE(IDs() == FOldIDs && !Container().IsModified());
}

TEST_F(ReleaseAttachmentsTest, LockedFileIsAskedAboutUntilTheUserDecides)
{
    WriteWholeFile(FOpened[0], "letter edited in another program");
    ChildProcess editor(FOpened[0], false);
    ASSERT_TRUE(WaitUntil(IsFileLocked, FOpened[0]));
    FUser.Expect(Kind::AbortRetryIgnore, Caption, LockedLetter, TAnswer::Abort);
    EXPECT_FALSE(Release());
    EXPECT_EQ(FFiles, FOpened);
    EXPECT_TRUE(FEntries.size() == 2 && FTemporary.Count() == 0 && !Container().IsModified());

    // Ignore then No tests the file again; Retry starts the round again; Ignore then Yes takes
    // the present contents, once.
    const auto unchanged = [&] { EXPECT_FALSE(Container().IsModified()) << "nothing taken before the Yes"; };
    FUser.Expect(Kind::AbortRetryIgnore, Caption, LockedLetter, TAnswer::Ignore)
        .Expect(Kind::YesNo, Caption, LeaveLocked, TAnswer::No)
        .Expect(Kind::AbortRetryIgnore, Caption, LockedLetter, TAnswer::Retry, unchanged)
        .Expect(Kind::AbortRetryIgnore, Caption, LockedLetter, TAnswer::Ignore, unchanged)
        .Expect(Kind::YesNo, Caption, LeaveLocked, TAnswer::Yes);
    EXPECT_TRUE(Release()) << "no second question about the changes it already took";
    EXPECT_EQ(ExtractedFiles(Container()),
              (TFileMap{{"letter", "letter edited in another program"}, {"photo", "original photo"}}));
    EXPECT_NE(IDs()["letter"], FOldIDs["letter"]) << "the old entry made way for the new one";
    EXPECT_TRUE(FFiles.empty() && FTemporary.Contains(FOpened[0]));
}

TEST_F(ReleaseAttachmentsTest, ModifiedFilesReplaceTheirEntriesOnlyWithYesAndCancelStopsBeforeTheRest)
{
    WriteWholeFile(FOpened[0], "new letter");
    WriteWholeFile(FOpened[1], "retouched photo");
    FUser.Expect(Kind::YesNoCancel, Caption, PhotoModified, TAnswer::No)
        .Expect(Kind::YesNoCancel, Caption, LetterModified, TAnswer::Cancel);
    EXPECT_FALSE(Release());
    EXPECT_EQ(FFiles, std::vector<std::string>{FOpened[0]}) << "the photo was done before the cancel";
    EXPECT_FALSE(Container().IsModified()) << "neither No nor Cancel changes the container";

    FUser.Expect(Kind::YesNoCancel, Caption, LetterModified, TAnswer::Yes);
    EXPECT_TRUE(Release());
    EXPECT_TRUE(IDs()["letter"] != FOldIDs["letter"] && IDs()["photo"] == FOldIDs["photo"]) << "only Yes replaces";
    EXPECT_EQ(FTemporary.Files(), (std::vector<std::string>{FOpened[1], FOpened[0]})) << "changed files are wiped too";
    Container().Close();
    EXPECT_EQ(ExtractedFiles(FDir.File("message.xvt"), "password"),
              (TFileMap{{"letter", "new letter"}, {"photo", "original photo"}}))
        << "the change reached the container file";
}

TEST_F(ReleaseAttachmentsTest, ReadOnlyContainerRaisesAndKeepsTheAttachment)
{
    WriteWholeFile(FOpened[0], "new letter");
    Container().Close();
    Container().OpenReadOnly(FDir.File("message.xvt"));
    FUser.Expect(Kind::YesNoCancel, Caption, LetterModified, TAnswer::Yes);
    EXPECT_THROW(Release(), EContainerError);
    EXPECT_EQ(FFiles, std::vector<std::string>{FOpened[0]}) << "the photo went, the letter stays";
    EXPECT_FALSE(FTemporary.Contains(FOpened[0]));
}

} // namespace
