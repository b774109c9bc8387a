#include "app/ReleaseAttachments.h"
#include "ChildProcess.h"
#include "ContainerFixture.h"
#include "ScriptedQuestions.h"
#include "app/AttachmentOwner.h"
#include "app/FileLock.h"
#include "app/TemporaryFiles.h"
#include "container/LocalFiles.h"
#include "container/LocalTime.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

namespace {

using Kind = ScriptedQuestions::Kind;
namespace fs = std::filesystem;

TEST(FileLockTest, FilesHeldOrLockedByAnotherProcessOrAnEditorAreLocked)
{
    TempDir dir;
    const std::string file = dir.File("report.odt");
    WriteWholeFile(file, "attachment");
    const std::pair<ChildProcess (*)(const std::string&), bool (*)(const std::string&)> holders[] = {
        {ChildProcess::HoldingOpen, HeldOpenByAnotherProcess}, {ChildProcess::HoldingLock, LockedByAnotherProcess}};
    for (const auto& [start, holds] : holders) {
        SCOPED_TRACE(holds == HeldOpenByAnotherProcess ? "held open" : "locked");
        EXPECT_FALSE(IsFileLocked(file));
        ChildProcess child = start(file);
        ASSERT_TRUE(ChildProcess::WaitUntil(holds, file));
        EXPECT_TRUE(IsFileLocked(file));
        EXPECT_FALSE(IsFileLocked(dir.File("missing"))) << "a missing file is never locked";
        child.End();
        // The kernel drops a lock as the holder exits; /proc/locks may show it a moment longer.
        EXPECT_TRUE(ChildProcess::WaitUntil(holds, file, false));
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
    // Emacs' lock is a dangling symbolic link.
    fs::create_symlink("user@host.4711:1700000000", dir.File(".#report.odt"));
    EXPECT_TRUE(EditorLockFileExists(file));
    EXPECT_FALSE(EditorLockFileExists(dir.File("other.odt")));
}

const std::string Caption = "Update container";
const std::string LeaveLocked =
    "If you leave temporary files locked Sealvane cannot wipe them before closing the container. This means that "
    "decrypted versions will be left on your disk until Sealvane is able to wipe them at a later date. Do you want "
    "this to happen?";

std::string LockedText(const std::string& name)
{
    return "File '" + name +
           "' is currently locked by another application! Please close the application and try again!'";
}

std::string ModifiedText(const std::string& name)
{
    return "File '" + name + "' has been modified. Do you want to keep the changes?'";
}

// A container window (the fixture itself) with the two attachments of its container opened in
// the work folder: the letter first, then the photo.
class ReleaseAttachmentsTest : public ContainerFixture, public IAttachmentOwner
{
protected:
    void SetUp() override
    {
        ContainerFixture::SetUp();
        FContainer.OpenNew(FDir.File("message.xvt"));
        for (const std::string name : {"letter", "photo"}) {
            // Files older than the test, as a user's files are, so that any writing shows.
            const std::string file = MakeFile("source/" + name, "original " + name);
            SetLastWriteLocalSeconds(file, LocalSecondsNow() - 3600 - name.size());
            FContainer.AddFile(file, FDir.File("source"));
        }
        FContainer.Close();
        FContainer.Open(FDir.File("message.xvt"));
        fs::create_directory(FDir.File("SV_Work"));
        // Opened as a container window opens them: decrypted into the work folder, listed with
        // their entries.
        for (const std::string& file : FOpened) {
            const int index = IndexOf(fs::path(file).filename());
            FContainer.ExtractFileTo(index, file);
            FFiles.push_back(file);
            FEntries.push_back(FContainer.GetCatalog().Item(index));
        }
        FOldIDs = IDs();
    }

    void TearDown() override
    {
        if (!FContainer.IsClosed()) {
            FContainer.Close();
        }
        ContainerFixture::TearDown();
    }

    TRandomCryptoContainer& Container() override { return FContainer; }
    std::vector<std::string>& OpenedFiles() override { return FFiles; }
    std::vector<std::shared_ptr<TFileInfo>>& OpenedEntries() override { return FEntries; }

    int IndexOf(const std::string& name)
    {
        const TCatalog& catalog = FContainer.GetCatalog();
        for (int index = 0; index < catalog.Count(); ++index) {
            if (catalog.Item(index)->FPath.FileName() == name) {
                return index;
            }
        }
        return -1;
    }

    // What the container holds under that name.
    std::string Stored(const std::string& name)
    {
        FContainer.ExtractFileTo(IndexOf(name), FDir.File("stored-copy"));
        return ReadWholeFile(FDir.File("stored-copy"));
    }

    // The entries' IDs: the letter's and the photo's at first.
    std::vector<std::int64_t> IDs()
    {
        std::vector<std::int64_t> ids;
        for (const auto& entry : FContainer.GetCatalog()) {
            ids.push_back(entry->FID);
        }
        std::sort(ids.begin(), ids.end());
        return ids;
    }
    bool Kept(std::int64_t id) { return std::ranges::count(IDs(), id) == 1; }

    bool Release() { return ReleaseOpenedAttachments(*this, FUser, FTemporary); }

    TRandomCryptoContainer FContainer{"password"};
    std::vector<std::string> FFiles;
    std::vector<std::shared_ptr<TFileInfo>> FEntries;
    ScriptedQuestions FUser;
    TTemporaryFiles FTemporary;
    const std::vector<std::string> FOpened = {FDir.File("SV_Work/letter"), FDir.File("SV_Work/photo")};
    std::vector<std::int64_t> FOldIDs;
};

TEST_F(ReleaseAttachmentsTest, UntouchedOrDeletedAttachmentsAreReleasedWithoutQuestionAndWiped)
{
    fs::remove(FOpened[0]);
    EXPECT_TRUE(Release());
    EXPECT_TRUE(FFiles.empty() && FEntries.empty());
    EXPECT_EQ(FTemporary.Files(), (std::vector<std::string>{FOpened[1], FOpened[0]})) << "last attachment first";
    EXPECT_EQ(IDs(), FOldIDs);
    EXPECT_FALSE(FContainer.IsModified());
    FTemporary.WipeTemporaryFiles(1);
    EXPECT_EQ(FTemporary.Count(), 0);
    EXPECT_FALSE(fs::exists(FOpened[1]));
}

TEST_F(ReleaseAttachmentsTest, LockedFileIsAskedAboutUntilTheUserDecides)
{
    WriteWholeFile(FOpened[0], "letter edited in another program");
    ChildProcess editor = ChildProcess::HoldingOpen(FOpened[0]);
    ASSERT_TRUE(ChildProcess::WaitUntil(IsFileLocked, FOpened[0]));
    FUser.Expect(Kind::AbortRetryIgnore, Caption, LockedText("letter"), TAnswer::Abort);
    EXPECT_FALSE(Release());
    EXPECT_EQ(FFiles, FOpened);
    EXPECT_EQ(FEntries.size(), 2u);
    EXPECT_EQ(FTemporary.Count(), 0);
    EXPECT_FALSE(FContainer.IsModified());

    // Ignore then No tests the file again; Retry starts the round again; Ignore then Yes takes
    // the present contents, once.
    const auto unchanged = [&] { EXPECT_FALSE(FContainer.IsModified()) << "nothing taken before the Yes"; };
    FUser.Expect(Kind::AbortRetryIgnore, Caption, LockedText("letter"), TAnswer::Ignore)
        .Expect(Kind::YesNo, Caption, LeaveLocked, TAnswer::No)
        .Expect(Kind::AbortRetryIgnore, Caption, LockedText("letter"), TAnswer::Retry, unchanged)
        .Expect(Kind::AbortRetryIgnore, Caption, LockedText("letter"), TAnswer::Ignore, unchanged)
        .Expect(Kind::YesNo, Caption, LeaveLocked, TAnswer::Yes);
    EXPECT_TRUE(Release()) << "no second question about the changes it already took";
    EXPECT_EQ(Stored("letter"), "letter edited in another program");
    EXPECT_EQ(Stored("photo"), "original photo");
    EXPECT_EQ(IDs().size(), 2u) << "the old entry made way for the new one";
    EXPECT_FALSE(Kept(FOldIDs[0]));
    EXPECT_TRUE(FFiles.empty());
    EXPECT_TRUE(FTemporary.Contains(FOpened[0]));
}

TEST_F(ReleaseAttachmentsTest, ModifiedFilesReplaceTheirEntriesOnlyWithYes)
{
    WriteWholeFile(FOpened[0], "new letter");
    WriteWholeFile(FOpened[1], "retouched photo");
    FUser.Expect(Kind::YesNoCancel, Caption, ModifiedText("photo"), TAnswer::No)
        .Expect(Kind::YesNoCancel, Caption, ModifiedText("letter"), TAnswer::Yes,
                [&] { EXPECT_FALSE(FContainer.IsModified()) << "No leaves the container as it was"; });
    EXPECT_TRUE(Release());
    EXPECT_EQ(Stored("letter"), "new letter");
    EXPECT_EQ(Stored("photo"), "original photo");
    EXPECT_EQ(IDs().size(), 2u);
    EXPECT_FALSE(Kept(FOldIDs[0]));
    EXPECT_TRUE(Kept(FOldIDs[1]));
    EXPECT_EQ(FTemporary.Files(), (std::vector<std::string>{FOpened[1], FOpened[0]})) << "changed files are wiped too";

    FContainer.Close();
    TRandomCryptoContainer reopened("password");
    reopened.OpenReadOnly(FDir.File("message.xvt"));
    EXPECT_EQ(reopened.GetCatalog().Count(), 2) << "the change reached the container file";
    reopened.Close();
}

TEST_F(ReleaseAttachmentsTest, CancelStopsBeforeTheRestIsReleased)
{
    WriteWholeFile(FOpened[0], "new letter");
    WriteWholeFile(FOpened[1], "new photo");
    FUser.Expect(Kind::YesNoCancel, Caption, ModifiedText("photo"), TAnswer::Yes)
        .Expect(Kind::YesNoCancel, Caption, ModifiedText("letter"), TAnswer::Cancel);
    EXPECT_FALSE(Release());
    EXPECT_EQ(FFiles, std::vector<std::string>{FOpened[0]}) << "the photo was done before the cancel";
    EXPECT_EQ(Stored("photo"), "new photo");
    EXPECT_EQ(Stored("letter"), "original letter");
}

TEST_F(ReleaseAttachmentsTest, ReadOnlyContainerRaisesAndKeepsTheAttachment)
{
    WriteWholeFile(FOpened[0], "new letter");
    FContainer.Close();
    FContainer.OpenReadOnly(FDir.File("message.xvt"));
    FUser.Expect(Kind::YesNoCancel, Caption, ModifiedText("letter"), TAnswer::Yes);
    EXPECT_THROW(Release(), EContainerError);
    EXPECT_EQ(FFiles, std::vector<std::string>{FOpened[0]}) << "the photo went, the letter stays";
    EXPECT_FALSE(FTemporary.Contains(FOpened[0]));
}

} // namespace
