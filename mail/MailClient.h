#pragma once

#include <string>

// One message for the user's mail program: at most one recipient and at most one attachment.
// Texts and paths are UTF-8.
struct TMailMessage
{
    std::string FSubject;
    std::string FBody;             // plain text; lines end with LF or CR LF
    std::string FRecipientAddress; // no recipient when blank or not a plain address; no address-type prefix
    std::string FAttachmentPath;   // the file on disk; no attachment when empty or blanks only
    std::string FAttachmentName;   // the name the receiver sees; mail programs on Linux show the file's own name
};

// The mail hand-off the flows call: the user's mail program opens its compose window with the
// message, and the user sends it from there.
class IMailClient
{
public:
    static constexpr int HandedOver = 0;   // the mail program has the message
    static constexpr int NoMailClient = 1; // there is no mail program; callers treat it as a cancel
    static constexpr int StartFailed = 2;  // the mail program is there but could not be started

    virtual ~IMailClient() = default;
    virtual int SendMail(const TMailMessage& message) = 0;
};
