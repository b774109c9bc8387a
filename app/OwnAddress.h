#pragma once

#include <string>

class TSettings;

// Whether a container was written by this user, told from the sender address of its extra record:
// an empty address (the record of a container made here before an address was known), the
// address last used for mail, or one of the user's own addresses (OwnMailAddresses, split at the
// separator 127). Addresses are trimmed and compared as mail addresses: without regard to letter
// case, "Name <address>" by the address inside the angle brackets.
bool IsOwnSenderAddress(const std::string& senderAddress, const TSettings& settings);

// What the container window's one address box stands for when its container is stored or sent.
// The box names the user on a new container (the last used address is put into it) and the one
// it answers on a reply (the received container's sender).
struct TBoxAddresses
{
    // The container's sender address, the address its recipient answers to: an own address as
    // typed (trimmed), or for another address the last used one. An empty box stores nothing.
    std::string FSender;
    // Whom the mail program addresses the message to: another address when it is a plain address
    // (a received container's sender was written by a stranger), else nobody yet.
    std::string FRecipient;
};
TBoxAddresses AddressesOfBox(const std::string& box, const TSettings& settings);
