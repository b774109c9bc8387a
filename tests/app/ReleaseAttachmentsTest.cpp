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
#include <filesystem>

namespace {

using Kind = ScriptedQuestions::Kind;

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

// A container window with two attachments of its container opened in the work folder.
class Window : public IAttachmentOwner
{
public:
    TRandomCryptoContainer& Container() override { return FContainer; }
    std::vector<std::string>& OpenedFiles() override { return FFiles; }
    std::vector<std::shared_ptr<TFileInfo>>& OpenedEntries() override { return FEntries; }

    TRandomCryptoContainer FContainer{"password"};
    std::vector<std::string> FFiles;
    std::vector<std::shared_ptr<TFileInfo>> FEntries;
};

class ReleaseAttachmentsTest : public ContainerFixture
{
protected:
    void SetUp() override
    {
        ContainerFixture::SetUp();
        // Files older than the test, as a user's files are, so that any writing shows.
        const std::int64_t hourAgo = LocalSecondsNow() - 3600;
        const std::string letter = MakeFile("source/letter.txt", "original letter");
        const std::string photo = MakeFile("source/photo.jpg", "original photo");
        SetLastWriteLocalSeconds(letter, hourAgo);
        SetLastWriteLocalSeconds(photo, hourAgo - 60);
        FWindow.FContainer.OpenNew(FDir.File("message.xvt"));
        FWindow.FContainer.AddFile(letter, FDir.File("source"));
        FWindow.FContainer.AddFile(photo, FDir.File("source"));
        FWindow.FContainer.Close();
        FWindow.FContainer.Open(FDir.File("message.xvt"));
        std::filesystem::create_directory(FDir.File("SV_Work"));
        FLetter = Open("letter.txt");
        FPhoto = Open("photo.jpg");
    }

    void TearDown() override
    {
        if (!FWindow.FContainer.IsClosed()) {
            FWindow.FContainer.Close();
        }
        ContainerFixture::TearDown();
    }

    // Opens an attachment as a container window does: decrypted into the work folder and listed
    // with its entry.
    std::string Open(const std::string& name)
    {
        const std::string file = FDir.File("SV_Work/" + name);
        const int index = IndexOf(name);
        FWindow.FContainer.ExtractFileTo(index, file);
        FWindow.FFiles.push_back(file);
        FWindow.FEntries.push_back(FWindow.FContainer.GetCatalog().Item(index));
        return file;
    }

    int IndexOf(const std::string& name)
    {
        const TCatalog& catalog = FWindow.FContainer.GetCatalog();
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
        const std::string copy = FDir.File("stored-copy");
        FWindow.FContainer.ExtractFileTo(IndexOf(name), copy);
        return ReadWholeFile(copy);
    }

    std::vector<std::int64_t> StoredIDs()
    {
        std::vector<std::int64_t> ids;
        for (const auto& entry : FWindow.FContainer.GetCatalog()) {
            ids.push_back(entry->FID);
        }
        return ids;
    }

    void Edit(const std::string& file, const std::string& bytes) { WriteWholeFile(file, bytes); }

    bool Release(const TLockTest& isLocked = {})
    {
        return ReleaseOpenedAttachments(FWindow, FUser, FTemporary, isLocked);
    }

    void ExpectStillOpened()
    {
        EXPECT_EQ(FWindow.FFiles, (std::vector<std::string>{FLetter, FPhoto}));
        EXPECT_EQ(FWindow.FEntries.size(), 2u);
    }

    Window FWindow;
    ScriptedQuestions FUser;
    TTemporaryFiles FTemporary;
    std::string FLetter;
    std::string FPhoto;
};

} // namespace

TEST_F(ReleaseAttachmentsTest, UntouchedAttachmentsAreReleasedWithoutQuestionAndWiped)
{
    const std::vector<std::int64_t> before = StoredIDs();
    EXPECT_TRUE(Release());
    EXPECT_TRUE(FWindow.FFiles.empty());
    EXPECT_TRUE(FWindow.FEntries.empty());
    EXPECT_EQ(FTemporary.Files(), (std::vector<std::string>{FPhoto, FLetter})) << "last attachment first";
    EXPECT_EQ(StoredIDs(), before);
    EXPECT_FALSE(FWindow.FContainer.IsModified());

    FTemporary.WipeTemporaryFiles(1);
    EXPECT_EQ(FTemporary.Count(), 0);
    EXPECT_FALSE(std::filesystem::exists(FLetter));
    EXPECT_FALSE(std::filesystem::exists(FPhoto));
}

TEST_F(ReleaseAttachmentsTest, AbortWhileAFileIsHeldOpenStopsAndKeepsEverything)
{
    ChildProcess viewer = ChildProcess::HoldingOpen(FLetter);
    ASSERT_TRUE(viewer.WaitUntil(IsFileLocked, FLetter));
    FUser.Expect(Kind::AbortRetryIgnore, Caption, LockedText("letter.txt"), TAnswer::Abort);
    EXPECT_FALSE(Release());
    ExpectStillOpened();
    EXPECT_EQ(FTemporary.Count(), 0);
    EXPECT_FALSE(FWindow.FContainer.IsModified());
}

TEST_F(ReleaseAttachmentsTest, RetryAfterTheOtherProgramEndedReleasesTheFile)
{
    ChildProcess viewer = ChildProcess::HoldingOpen(FLetter);
    ASSERT_TRUE(viewer.WaitUntil(IsFileLocked, FLetter));
    FUser.Expect(Kind::AbortRetryIgnore, Caption, LockedText("letter.txt"), TAnswer::Retry, [&] { viewer.End(); });
    EXPECT_TRUE(Release());
    EXPECT_TRUE(FWindow.FFiles.empty());
    EXPECT_EQ(FTemporary.Count(), 2);
}

TEST_F(ReleaseAttachmentsTest, IgnoreThenYesTakesThePresentContentsOnce)
{
    Edit(FLetter, "letter edited in another program");
    ChildProcess editor = ChildProcess::HoldingOpen(FLetter);
    ASSERT_TRUE(editor.WaitUntil(IsFileLocked, FLetter));
    const std::int64_t oldID = FWindow.FEntries[0]->FID;
    FUser.Expect(Kind::AbortRetryIgnore, Caption, LockedText("letter.txt"), TAnswer::Ignore)
        .Expect(Kind::YesNo, Caption, LeaveLocked, TAnswer::Yes);

    EXPECT_TRUE(Release()) << "no second question about the changes it already took";
    EXPECT_EQ(Stored("letter.txt"), "letter edited in another program");
    EXPECT_EQ(Stored("photo.jpg"), "original photo");
    const std::vector<std::int64_t> ids = StoredIDs();
    EXPECT_EQ(ids.size(), 2u) << "the old entry made way for the new one";
    EXPECT_EQ(std::count(ids.begin(), ids.end(), oldID), 0);
    EXPECT_TRUE(FWindow.FFiles.empty());
    EXPECT_TRUE(FTemporary.Contains(FLetter));
}

TEST_F(ReleaseAttachmentsTest, IgnoreThenNoTestsTheSameFileAgain)
{
    FUser.Expect(Kind::AbortRetryIgnore, Caption, LockedText("photo.jpg"), TAnswer::Ignore)
        .Expect(Kind::YesNo, Caption, LeaveLocked, TAnswer::No)
        .Expect(Kind::AbortRetryIgnore, Caption, LockedText("photo.jpg"), TAnswer::Abort);
    EXPECT_FALSE(Release([&](const std::string& file) { return file == FPhoto; }));
    ExpectStillOpened();
    EXPECT_FALSE(FWindow.FContainer.IsModified());
}

TEST_F(ReleaseAttachmentsTest, ModifiedFileWithYesReplacesItsEntry)
{
    Edit(FLetter, "new letter");
    const std::int64_t oldID = FWindow.FEntries[0]->FID;
    FUser.Expect(Kind::YesNoCancel, Caption, ModifiedText("letter.txt"), TAnswer::Yes);
    EXPECT_TRUE(Release());
    EXPECT_EQ(Stored("letter.txt"), "new letter");
    const std::vector<std::int64_t> ids = StoredIDs();
    EXPECT_EQ(ids.size(), 2u);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), oldID), 0);
    EXPECT_EQ(FTemporary.Files(), (std::vector<std::string>{FPhoto, FLetter}));

    FWindow.FContainer.Close();
    TRandomCryptoContainer reopened("password");
    reopened.OpenReadOnly(FDir.File("message.xvt"));
    EXPECT_EQ(reopened.GetCatalog().Count(), 2) << "the change reached the container file";
    reopened.Close();
}

TEST_F(ReleaseAttachmentsTest, ModifiedFileWithNoLeavesTheContainerAsItWas)
{
    Edit(FPhoto, "retouched photo");
    const std::vector<std::int64_t> before = StoredIDs();
    FUser.Expect(Kind::YesNoCancel, Caption, ModifiedText("photo.jpg"), TAnswer::No);
    EXPECT_TRUE(Release());
    EXPECT_EQ(StoredIDs(), before);
    EXPECT_EQ(Stored("photo.jpg"), "original photo");
    EXPECT_FALSE(FWindow.FContainer.IsModified());
    EXPECT_TRUE(FTemporary.Contains(FPhoto)) << "the changed file is wiped like any other";
}

TEST_F(ReleaseAttachmentsTest, CancelStopsBeforeAnythingIsReleased)
{
    Edit(FLetter, "new letter");
    Edit(FPhoto, "new photo");
    FUser.Expect(Kind::YesNoCancel, Caption, ModifiedText("photo.jpg"), TAnswer::Yes)
        .Expect(Kind::YesNoCancel, Caption, ModifiedText("letter.txt"), TAnswer::Cancel);
    EXPECT_FALSE(Release());
    EXPECT_EQ(FWindow.FFiles, std::vector<std::string>{FLetter}) << "the photo was done before the cancel";
    EXPECT_EQ(Stored("photo.jpg"), "new photo");
    EXPECT_EQ(Stored("letter.txt"), "original letter");
}

TEST_F(ReleaseAttachmentsTest, DeletedFileIsReleasedWithoutQuestion)
{
    std::filesystem::remove(FLetter);
    const std::vector<std::int64_t> before = StoredIDs();
    EXPECT_TRUE(Release());
    EXPECT_EQ(StoredIDs(), before);
    EXPECT_TRUE(FWindow.FFiles.empty());
    FTemporary.WipeTemporaryFiles(1);
    EXPECT_EQ(FTemporary.Count(), 0);
}

TEST_F(ReleaseAttachmentsTest, ReadOnlyContainerRaisesAndKeepsTheAttachment)
{
    Edit(FLetter, "new letter");
    FWindow.FContainer.Close();
    FWindow.FContainer.OpenReadOnly(FDir.File("message.xvt"));
    FUser.Expect(Kind::YesNoCancel, Caption, ModifiedText("letter.txt"), TAnswer::Yes);
    EXPECT_THROW(Release(), EContainerError);
    EXPECT_EQ(FWindow.FFiles, std::vector<std::string>{FLetter}) << "the photo went, the letter stays";
    EXPECT_FALSE(FTemporary.Contains(FLetter));
}
