#pragma once

#include "OnTopHold.h"

#include <functional>
#include <string>

class IContainerWindow;
class IContainerWindowFactory;
class IMailClient;
class TContainerKey;
class TContainerFlows;
class TSession;
class TSettings;

// The container window's commands that hand a container on: send it by mail, answer it (reply,
// forward), and give it another password (the re-keying that sending shares). Each gives back the
// window's opened attachments first, runs under the window's wait cursor and reports a failure
// with the caption "Error".
//
// Send, reply and forward close the window afterwards as the settings ask (fContainer_CloseAfterMail
// for send, fContainer_CloseAfterAnswer for the answers): a window whose container is saved is
// hidden meanwhile and asked to close once the operation went ahead; a sent container counts as
// saved. A window hidden for an operation that did not go ahead, or whose close was refused, is
// shown again.
class TMailFlows
{
public:
    // Switches the start window's stay-on-top state off (true) and back as it was (false).
    using TSetNotOnTop = std::function<void(bool notOnTop)>;

    TMailFlows(TSettings& settings, TSession& session, IContainerWindowFactory& windows, TContainerFlows& flows,
               IMailClient& mail);

    void SetStartWindowNotOnTop(TSetNotOnTop setNotOnTop) { FStartWindowNotOnTop = std::move(setNotOnTop); }
    // The program became the active application (true) or another program did (false): the
    // windows kept off the top after a hand-over come back once the user returns (see TOnTopHold).
    void ProgramActive(bool active) { FOnTopHold.ProgramActive(active); }

    // Asks for the recipients' password (a read-only container keeps its own), stores text and
    // sender address, re-keys the file (also under the same password), copies it into the folder
    // of sent copies (a read-only container's copy written anew from it) and hands the
    // copy to the mail program with the decryption instructions. The address box decides sender
    // and recipient (see AddressesOfBox); an own address in it becomes the last used one. New
    // or opened containers are refused meanwhile; after a successful hand-over no window stays on
    // top until the user comes back to the program.
    void SendContainer(IContainerWindow& window);
    // A new window whose text quotes this one's after the separator line, under this container's
    // password; no attachment is taken over. A reply goes to the sender address of this
    // container's extra record when that is a plain address, a forward (or a reply to any other
    // address text) to nobody yet.
    void ReplyContainer(IContainerWindow& window);
    void ForwardContainer(IContainerWindow& window);
    // Re-keys the container to a new password; the same password changes nothing. A read-only
    // container is refused.
    void ChangePassword(IContainerWindow& window);

private:
    void CloseAfter(IContainerWindow& window, bool closeAfter, const std::function<bool()>& operation);
    // True when the mail program has the container.
    bool Send(IContainerWindow& window);
    // The window's container written into the folder of sent copies for the mail program,
    // holding only what the window lists and shows, after the copies older than the settings
    // allow were wiped there; empty when no name for an intermediate file could be made (the
    // user has been told).
    std::string CopyForMail(IContainerWindow& window);
    int HandOver(IContainerWindow& window, const std::string& attachment);
    void SetEveryWindowNotOnTop(bool notOnTop);
    // True when the new window was made.
    bool Answer(IContainerWindow& source, bool reply);
    // Closes the window's container (its file is held while open), runs rewrite with a free name
    // in the work folder for the intermediate file, and opens the file again under key. When
    // rewrite fails the file is opened again as it was, shown, and the failure raised. False when
    // no name could be made (the user has been told): nothing was done then.
    bool RewriteClosed(IContainerWindow& window, const TContainerKey& key,
                       const std::function<void(const std::string& intermediate)>& rewrite);
    // Writes the window's container file anew under the key (a new random prefix, fresh
    // entries: nothing deleted or replaced is left in it) and opens it again under it. When that
    // fails the file keeps its key and is opened again with it. False as RewriteClosed.
    bool Rekey(IContainerWindow& window, const TContainerKey& key);

    TSettings& FSettings;
    TSession& FSession;
    IContainerWindowFactory& FWindows;
    TContainerFlows& FFlows;
    IMailClient& FMail;
    TSetNotOnTop FStartWindowNotOnTop;
    TOnTopHold FOnTopHold;
};
