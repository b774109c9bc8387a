#pragma once

#include <string>

class TSettings;

// Whether a container was written by this user, told from the sender address of its extra record:
// an empty address (the record of a container made here before an address was known), the
// address last used for mail, or one of the user's own addresses (OwnMailAddresses, split at the
// separator 127). Addresses are trimmed and compared without regard to letter case.
bool IsOwnSenderAddress(const std::string& senderAddress, const TSettings& settings);
