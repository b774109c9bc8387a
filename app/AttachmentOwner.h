#pragma once

#include <memory>
#include <string>
#include <vector>

class TFileInfo;
class TRandomCryptoContainer;

// What a container window holds of the attachments it opened: its container and two
// index-parallel lists, the paths the attachments were decrypted to in the work folder and the
// catalog entries they came from (the entries of GetCatalog(), which carry their entry numbers).
// An entry's modification time is the last-write time the file was given when it was extracted,
// against which a change is noticed.
class IAttachmentOwner
{
public:
    virtual ~IAttachmentOwner() = default;
    virtual TRandomCryptoContainer& Container() = 0;
    virtual std::vector<std::string>& OpenedFiles() = 0;
    virtual std::vector<std::shared_ptr<TFileInfo>>& OpenedEntries() = 0;
};
