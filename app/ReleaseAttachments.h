#pragma once

#include <functional>
#include <string>

class IQuestions;
class TOpenContainer;
class TTemporaryFiles;

// Tells whether another program still holds a file (IsFileLocked).
using TLockTest = std::function<bool(const std::string& fileName)>;

// Gives back every attachment opened from the container, before its container is written, sent, quoted
// or closed. Rounds run while attachments are left:
// 1. Lock test, last attachment first. A locked file is reported ("Update container"; Abort,
//    Retry, Ignore): Abort stops with false; Retry starts the round again; Ignore asks whether to
//    leave the file locked: Yes takes the file's present contents into the container (added
//    from its folder, then the old entry deleted), No tests the file again.
// 2. Change test, last attachment first. A file whose last-write time differs from its entry's
//    asks whether to keep the changes (Yes, No, Cancel): Cancel stops with false; Yes takes its
//    contents into the container; No leaves the container as it is. Every file then goes to
//    the temporary-file list and leaves the open container's lists.
// A file taken in during the lock test counts as unchanged from then on, so it is never stored
// twice; a file that no longer exists counts as unchanged, since nothing of it can be kept.
// Container errors are raised; the attachment concerned then stays with the open container.
// Answers true when the caller may go on.
bool ReleaseOpenedAttachments(TOpenContainer& open, IQuestions& questions, TTemporaryFiles& temporaryFiles,
                              const TLockTest& isLocked = {});
