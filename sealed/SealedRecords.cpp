#include "SealedRecords.h"

#include "SealedBytes.h"
#include "container/ContainerError.h"
#include "language/Messages.h"

namespace sealed {

namespace {

void RequireEnd(const TByteReader& reader)
{
    if (reader.Left() != 0) {
        ThrowContainerError(msg::IllegalLongSize, {static_cast<std::int64_t>(reader.Left())});
    }
}

} // namespace

std::string EncodeEntryHeader(const TFileInfo& entry)
{
    TByteWriter fields;
    fields.U64(static_cast<std::uint64_t>(entry.FSize));
    fields.U64(static_cast<std::uint64_t>(entry.FDupNo));
    fields.U64(static_cast<std::uint64_t>(entry.FAttributes));
    fields.U64(static_cast<std::uint64_t>(entry.FModified));
    fields.U64(static_cast<std::uint64_t>(entry.FAdded));
    fields.String(entry.FPath.StoredBaseFolder());
    fields.String(entry.FPath.StoredRelativeFolder());
    fields.String(entry.FPath.StoredFileName());
    fields.String(entry.FPath.Reserved());
    TByteWriter header;
    header.String(fields.Written());
    return header.Written();
}

std::string_view EntryHeaderBytes(std::string_view bytes)
{
    TByteReader reader(bytes);
    const std::uint32_t length = reader.U32();
    reader.Bytes(length);
    return bytes.substr(0, reader.Position());
}

std::shared_ptr<TFileInfo> DecodeEntryHeader(std::string_view bytes)
{
    TByteReader header(bytes);
    TByteReader reader(header.Bytes(header.U32()));
    auto entry = std::make_shared<TFileInfo>();
    const std::uint64_t size = reader.U64();
    if (size > static_cast<std::uint64_t>(INT64_MAX)) {
        ThrowContainerError(msg::IllegalLongSize, {static_cast<std::int64_t>(size)});
    }
    entry->FSize = static_cast<std::int64_t>(size);
    entry->FDupNo = reader.I64();
    entry->FAttributes = reader.I64();
    entry->FModified = reader.I64();
    entry->FAdded = reader.I64();
    std::string baseFolder = reader.String();
    std::string relativeFolder = reader.String();
    std::string fileName = reader.String();
    std::string reserved = reader.String();
    RequireEnd(reader);
    entry->FPath = TPathInfo::FromStored(std::move(baseFolder), std::move(relativeFolder), std::move(fileName),
                                         std::move(reserved));
    entry->FHeaderLength = static_cast<std::int64_t>(header.Position());
    return entry;
}

std::string EncodeCatalog(const TCatalogRecord& catalog)
{
    TByteWriter writer;
    writer.U64(catalog.Generation);
    writer.U64(static_cast<std::uint64_t>(catalog.SortCode));
    writer.String(catalog.Memo);
    writer.String(catalog.Extra);
    writer.U32(static_cast<std::uint32_t>(catalog.Entries.size()));
    for (const TListedStream& entry : catalog.Entries) {
        writer.U64(entry.Position);
        writer.U64(entry.StoredLength);
        writer.Bytes(entry.Prefix);
        writer.Bytes(entry.Header);
    }
    return std::move(writer.Written());
}

TCatalogRecord DecodeCatalog(std::string_view bytes)
{
    TByteReader reader(bytes);
    TCatalogRecord catalog;
    catalog.Generation = reader.U64();
    catalog.SortCode = reader.I64();
    catalog.Memo = reader.String();
    catalog.Extra = reader.String();
    const std::uint32_t count = reader.U32();
    for (std::uint32_t n = 0; n < count; ++n) {
        TListedStream entry;
        entry.Position = reader.U64();
        entry.StoredLength = reader.U64();
        entry.Prefix = reader.Bytes(8);
        const std::string_view rest = bytes.substr(reader.Position());
        entry.Header = EntryHeaderBytes(rest);
        reader.Bytes(entry.Header.size());
        catalog.Entries.push_back(std::move(entry));
    }
    RequireEnd(reader);
    return catalog;
}

} // namespace sealed
