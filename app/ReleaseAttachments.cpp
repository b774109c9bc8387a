#include "ReleaseAttachments.h"

#include "FileLock.h"
#include "OpenContainer.h"
#include "TemporaryFiles.h"
#include "UserInterface.h"
#include "container/LocalFiles.h"
#include "container/Container.h"
#include "language/FormatText.h"
#include "language/Messages.h"
#include "language/MsgText.h"

namespace {

std::string NameOf(const std::string& fileName)
{
    return fileName.substr(fileName.rfind('/') + 1);
}

std::string FolderOf(const std::string& fileName)
{
    const std::size_t slash = fileName.rfind('/');
    return slash == 0 ? "/" : fileName.substr(0, slash);
}

bool IsModified(const std::string& fileName, const TFileInfo& entry)
{
    return FileExists(fileName) && LastWriteLocalSeconds(fileName) != entry.FModified;
}

// Stores the file's present contents in place of the attachment's entry; the recorded entry
// becomes the new one.
void TakeBack(TOpenContainer& open, std::size_t index)
{
    const std::string& fileName = open.OpenedFiles()[index];
    std::shared_ptr<TFileInfo>& recorded = open.OpenedEntries()[index];
    TContainer& container = open.Container();
    const TCatalog& catalog = container.AddFile(fileName, FolderOf(fileName));
    std::shared_ptr<TFileInfo> added;
    for (const auto& entry : catalog) {
        if (entry->FID == catalog.NextID() - 1) {
            added = entry;
        }
    }
    if (recorded) {
        container.DeleteEntry(*recorded);
    }
    recorded = added;
}

enum class TRoundEnd
{
    Done,
    Again,
    Stop
};

TRoundEnd LockTest(TOpenContainer& open, IQuestions& questions, const TLockTest& isLocked)
{
    const std::string caption = MsgText(msg::UpdateContainer);
    for (std::size_t index = open.OpenedFiles().size(); index-- > 0;) {
        const std::string fileName = open.OpenedFiles()[index];
        while (isLocked(fileName)) {
            const TAnswer answer = questions.AskAbortRetryIgnore(
                caption, FormatText(MsgText(msg::FileLockedByOtherApplication), {NameOf(fileName)}));
            if (answer == TAnswer::Abort) {
                return TRoundEnd::Stop;
            }
            if (answer == TAnswer::Retry) {
                return TRoundEnd::Again;
            }
            if (questions.AskYesNo(caption, MsgText(msg::LeaveTempFilesLockedConfirm)) == TAnswer::Yes) {
                TakeBack(open, index);
                break;
            }
        }
    }
    return TRoundEnd::Done;
}

bool ChangeTest(TOpenContainer& open, IQuestions& questions, TTemporaryFiles& temporaryFiles)
{
    const std::string caption = MsgText(msg::UpdateContainer);
    std::vector<std::string>& files = open.OpenedFiles();
    std::vector<std::shared_ptr<TFileInfo>>& entries = open.OpenedEntries();
    for (std::size_t index = files.size(); index-- > 0;) {
        const std::string fileName = files[index];
        const std::shared_ptr<TFileInfo> entry = entries[index];
        if (entry == nullptr || IsModified(fileName, *entry)) {
            const TAnswer answer = questions.AskYesNoCancel(
                caption, FormatText(MsgText(msg::FileModifiedKeepChanges), {NameOf(fileName)}));
            if (answer == TAnswer::Cancel) {
                return false;
            }
            if (answer == TAnswer::Yes && FileExists(fileName)) {
                TakeBack(open, index);
            }
        }
        temporaryFiles.Add(fileName);
        files.erase(files.begin() + static_cast<std::ptrdiff_t>(index));
        entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(index));
    }
    return true;
}

} // namespace

bool ReleaseOpenedAttachments(TOpenContainer& open, IQuestions& questions, TTemporaryFiles& temporaryFiles,
                              const TLockTest& isLocked)
{
    const TLockTest lockTest = isLocked ? isLocked : TLockTest(IsFileLocked);
    // An attachment without its entry is treated as changed: the user decides what is kept.
    open.OpenedEntries().resize(open.OpenedFiles().size());
    while (!open.OpenedFiles().empty()) {
        const TRoundEnd end = LockTest(open, questions, lockTest);
        if (end == TRoundEnd::Stop) {
            return false;
        }
        if (end == TRoundEnd::Again) {
            continue;
        }
        if (!ChangeTest(open, questions, temporaryFiles)) {
            return false;
        }
    }
    return true;
}
