#include "ListedEntry.h"

#include "text/StoredText.h"

namespace {

bool SameName(const std::string& header, const std::string& listed)
{
    return header == listed || SettledStoredText(header) == SettledStoredText(listed);
}

} // namespace

bool IsListedEntry(const TFileInfo& header, const TFileInfo& listed)
{
    return header.FSize == listed.FSize && header.FModified == listed.FModified && header.FAdded == listed.FAdded &&
           SameName(header.FPath.StoredBaseFolder(), listed.FPath.StoredBaseFolder()) &&
           SameName(header.FPath.StoredRelativeFolder(), listed.FPath.StoredRelativeFolder()) &&
           SameName(header.FPath.StoredFileName(), listed.FPath.StoredFileName());
}
