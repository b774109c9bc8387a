#pragma once

#include "MailClient.h"
#include "settings/ShowInfoBox.h"

// The mail hand-off on a Linux desktop. The message goes to the default handler of mailto: links
// (asked with xdg-mime): Thunderbird and its forks get it on their -compose option, any other
// program through xdg-email. The mail program is started detached, so the call returns at once
// while the compose window stays open. A recipient that is not a plain address
// (IsPlainMailAddress) is left out: the compose window opens without one. Without any mail
// program the answer is NoMailClient, and the first time in the object's life the user is told
// what to install; the program keeps one object for its run.
class TDesktopMailClient : public IMailClient
{
public:
    explicit TDesktopMailClient(TShowInfoBox showInfoBox);

    int SendMail(const TMailMessage& message) override;

private:
    TShowInfoBox FShowInfoBox;
    bool FNoMailProgramShown = false;
};
