#pragma once

#include "container/FileInfo.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sealed {

// The entry header that begins an entry's plain text, and that the catalog repeats byte for byte:
// its length, then size, duplicate number, attributes, two times and the four name fields.
std::string EncodeEntryHeader(const TFileInfo& entry);
// Reads an entry header from the start of bytes; the entry's position is left to the caller.
// Raises EContainerError when the fields do not end exactly where the header says.
std::shared_ptr<TFileInfo> DecodeEntryHeader(std::string_view bytes);
// The bytes of the entry header that stands at the start of bytes (its length field included),
// or raises EContainerError when they are not all there.
std::string_view EntryHeaderBytes(std::string_view bytes);

// Where one entry's stream stands, and what the catalog knows of it.
struct TListedStream
{
    std::uint64_t Position = 0;
    std::uint64_t StoredLength = 0;
    std::string Prefix;
    std::string Header;
};

// The plain text of a catalog stream.
struct TCatalogRecord
{
    std::uint64_t Generation = 0;
    std::int64_t SortCode = 0;
    std::string Memo;
    std::string Extra;
    std::vector<TListedStream> Entries;
};

std::string EncodeCatalog(const TCatalogRecord& catalog);
// Raises EContainerError for a catalog that does not parse to its last byte.
TCatalogRecord DecodeCatalog(std::string_view bytes);

} // namespace sealed
