#include "SealedContainer.h"

#include "SealedBytes.h"
#include "container/ContainerError.h"
#include "container/Delay.h"
#include "cipher/SecureZero.h"
#include "language/Messages.h"
#include "language/MsgText.h"

#include <openssl/crypto.h>

#include <algorithm>
#include <chrono>
#include <cstring>

using namespace sealed;

namespace {

std::int64_t AsPosition(std::uint64_t value)
{
    if (value > static_cast<std::uint64_t>(INT64_MAX)) {
        ThrowContainerError(msg::IllegalLongSize, {static_cast<std::int64_t>(value)});
    }
    return static_cast<std::int64_t>(value);
}

// Finds stream prologues in a file, reading it in blocks of 1 MiB; a block is read once however
// many false starts lie in it.
class TStreamFinder
{
public:
    explicit TStreamFinder(TStream& file) : FFile(file), FSize(file.Size()) {}

    // The offset of the next "SV5E" or "SV5C" at or after from, or -1.
    std::int64_t Next(std::int64_t from)
    {
        for (std::int64_t at = from; at + 4 <= FSize;) {
            if (at < FStart || at + 4 > FStart + static_cast<std::int64_t>(FBlock.size())) {
                Load(at);
            }
            const auto offset = static_cast<std::size_t>(at - FStart);
            const std::size_t found = FBlock.find("SV5", offset);
            if (found == std::string::npos || found + 4 > FBlock.size()) {
                // Blocks overlap by the marker's length less one, so no marker falls between two.
                at = FStart + static_cast<std::int64_t>(FBlock.size()) - 3;
                if (at + 4 > FSize) {
                    break;
                }
                Load(at);
                continue;
            }
            if (FBlock[found + 3] == EntryKind[3] || FBlock[found + 3] == CatalogKind[3]) {
                return FStart + static_cast<std::int64_t>(found);
            }
            at = FStart + static_cast<std::int64_t>(found) + 1;
        }
        return -1;
    }
    // The kind letter of the prologue found at the offset.
    char KindAt(std::int64_t at) const { return FBlock[static_cast<std::size_t>(at - FStart) + 3]; }

private:
    void Load(std::int64_t at)
    {
        constexpr std::int64_t BlockSize = 1 << 20;
        FBlock.resize(static_cast<std::size_t>(std::min(BlockSize, FSize - at)));
        FFile.SetPosition(at);
        FFile.ReadBuffer(FBlock.data(), static_cast<std::int64_t>(FBlock.size()));
        FStart = at;
    }

    TStream& FFile;
    const std::int64_t FSize;
    std::string FBlock;
    std::int64_t FStart = 0;
};

// The entry header at the start of an entry stream, its length field included.
std::string ReadHeaderBytes(TSealedReader& reader)
{
    std::string header(4, '\0');
    reader.ReadBuffer(header.data(), 4);
    const std::uint32_t length = TByteReader(header).U32();
    if (length > static_cast<std::uint64_t>(reader.Size()) - 4) {
        ThrowContainerError(msg::IllegalLongSize, {std::int64_t{length}});
    }
    header.resize(4 + std::size_t{length});
    reader.ReadBuffer(header.data() + 4, std::int64_t{length});
    return header;
}

} // namespace

TSealedContainer::TSealedContainer(const TContainerKey& key, std::uint32_t newIterations)
    : FKey(key), FNewIterations(newIterations)
{
}

TSealedContainer::~TSealedContainer()
{
    SecureClear(FMemo);
}

void TSealedContainer::RequireOpen(const TMessage& refusal, std::initializer_list<TFormatArg> args) const
{
    if (!FOpen) {
        ThrowContainerError(refusal, args);
    }
}

void TSealedContainer::RequireWritable(const TMessage& closed, const TMessage& readOnly,
                                       std::initializer_list<TFormatArg> args) const
{
    RequireOpen(closed, args);
    if (!FWritable) {
        ThrowContainerError(readOnly, args);
    }
}

TStreamSeal TSealedContainer::EntrySeal() const
{
    return {FKeys->Entry(), FHeader.Id, FHeader.ChunkSize};
}

TStreamSeal TSealedContainer::CatalogSeal() const
{
    return {FKeys->Catalog(), FHeader.Id, FHeader.ChunkSize};
}

void TSealedContainer::DeriveKeys(const TSealedHeader& header)
{
    if (!FKeys || !FKeys->DerivedFrom(header.Salt, header.Iterations)) {
        FKeys = std::make_unique<TSealedKeys>(FKey.Bytes(), header.Salt, header.Iterations);
    }
}

TCatalog& TSealedContainer::OpenNew(const std::string& fileName)
{
    if (FOpen) {
        ThrowContainerError(msg::AttemptedOpenNewOnOpened, {FFileName});
    }
    CreateFile(fileName);
    try {
        TSealedHeader header;
        header.Iterations = FNewIterations;
        header.Salt = RandomBytes(SaltSize);
        header.Id = RandomBytes(IdSize);
        DeriveKeys(header);
        header.Check = FKeys->Check();
        FHeader = header;
        FCatalog = std::make_unique<TCatalog>();
        FStreams.clear();
        FMemo.clear();
        FExtra.clear();
        // The header's place, written for real once the empty catalog stands behind it.
        const std::string placeholder(HeaderSize, '\0');
        FStream->WriteBuffer(placeholder.data(), HeaderSize);
        Commit();
        CloseStream();
    } catch (...) {
        CloseStream();
        throw;
    }
    return Open(fileName);
}

TCatalog& TSealedContainer::Open(const std::string& fileName)
{
    return OpenAs(fileName, true);
}

TCatalog& TSealedContainer::OpenReadOnly(const std::string& fileName)
{
    return OpenAs(fileName, false);
}

TCatalog& TSealedContainer::OpenAs(const std::string& fileName, bool writable)
{
    if (FOpen) {
        ThrowContainerError(msg::AttemptedOpenOnOpened, {FFileName});
    }
    try {
        if (writable) {
            OpenForWrite(fileName);
        } else {
            OpenForRead(fileName);
        }
        FFileName = fileName;
        FOpen = true;
        FWritable = writable;
        FModified = false;
        ReadContainer();
        if (FCatalog->Regenerated() && writable) {
            // The rebuilt catalog is written on closing; what was wasted is forgotten.
            FModified = true;
            FHeader.ZombieBytes = 0;
        }
    } catch (...) {
        Release();
        throw;
    }
    return *FCatalog;
}

void TSealedContainer::ReadContainer()
{
    std::string bytes(static_cast<std::size_t>(std::min<std::int64_t>(FStream->Size(), HeaderSize)), '\0');
    FStream->SetPosition(0);
    FStream->ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    TSealedHeader header = ReadPlainHeader(bytes, FFileName);

    const auto start = std::chrono::steady_clock::now();
    DeriveKeys(header);
    if (CRYPTO_memcmp(FKeys->Check().data(), header.Check.data(), CheckSize) != 0) {
        const auto spent =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
        SleepMilliseconds(WrongPasswordPauseMs - spent);
        throw EPasswordError(MsgText(msg::IncorrectPassword));
    }
    FHeader = header;
    if (!OpenHeaderBody(bytes, FKeys->Header(), FHeader) || !ReadStoredCatalog()) {
        Recover();
    }
}

bool TSealedContainer::ReadStoredCatalog()
{
    try {
        TSealedReader reader(*FStream, AsPosition(FHeader.CatalogPosition), CatalogSeal(), CatalogKind,
                             msg::SealedEntryDamaged, FFileName);
        if (reader.StoredLength() != FHeader.CatalogLength) {
            return false;
        }
        std::string plain = reader.ReadAll();
        const TCatalogRecord record = DecodeCatalog(plain);
        SecureClear(plain);
        if (record.Generation != FHeader.Generation) {
            return false;
        }
        TakeCatalog(record, false);
        return true;
    } catch (const std::exception&) {
        // A catalog that cannot be read does not lose the entries: they are found again.
        return false;
    }
}

void TSealedContainer::TakeCatalog(const TCatalogRecord& record, bool regenerated)
{
    auto catalog = std::make_unique<TCatalog>();
    std::unordered_map<const TFileInfo*, TListedStream> streams;
    std::vector<TCatalog::TEntry> entries;
    for (const TListedStream& listed : record.Entries) {
        auto entry = DecodeEntryHeader(listed.Header);
        entry->FPosition = AsPosition(listed.Position);
        streams.emplace(entry.get(), listed);
        entries.push_back(std::move(entry));
    }
    catalog->AddAll(std::move(entries));
    catalog->SortByCode(record.SortCode);
    catalog->SetRegenerated(regenerated);
    FCommittedSortCode = catalog->SortCode();
    FCatalog = std::move(catalog);
    FStreams = std::move(streams);
    FMemo = record.Memo;
    FExtra = record.Extra;
}

void TSealedContainer::Recover()
{
    TCatalogRecord found;
    TStreamFinder finder(*FStream);
    // Each stream tried is charged its stored length, which bounds what it can cost to read; a
    // file of false starts (a stranger can write one) thus costs at most twice its size to scan.
    std::int64_t budget = 2 * FStream->Size();
    std::int64_t at = static_cast<std::int64_t>(HeaderSize);
    while ((at = finder.Next(at)) >= 0 && budget > 0) {
        const char kind = finder.KindAt(at);
        try {
            if (kind == EntryKind[3]) {
                TSealedReader reader(*FStream, at, EntrySeal(), EntryKind, msg::SealedEntryDamaged, FFileName);
                budget -= static_cast<std::int64_t>(reader.StoredLength());
                const std::string header = ReadHeaderBytes(reader);
                const auto entry = DecodeEntryHeader(header);
                if (static_cast<std::uint64_t>(reader.Size()) != header.size() + static_cast<std::uint64_t>(entry->FSize)) {
                    ThrowContainerError(msg::IllegalLongSize, {entry->FSize});
                }
                reader.Seek(0, TSeekOrigin::End);
                found.Entries.push_back({static_cast<std::uint64_t>(at), reader.StoredLength(), reader.Prefix(), header});
                at += static_cast<std::int64_t>(reader.StoredLength());
            } else {
                TSealedReader reader(*FStream, at, CatalogSeal(), CatalogKind, msg::SealedEntryDamaged, FFileName);
                budget -= static_cast<std::int64_t>(reader.StoredLength());
                std::string plain = reader.ReadAll();
                TCatalogRecord catalog = DecodeCatalog(plain);
                SecureClear(plain);
                if (catalog.Generation >= found.Generation) {
                    found.Generation = catalog.Generation;
                    found.SortCode = catalog.SortCode;
                    found.Memo = std::move(catalog.Memo);
                    found.Extra = std::move(catalog.Extra);
                }
                at += static_cast<std::int64_t>(reader.StoredLength());
            }
        } catch (const std::exception&) {
            // Not a whole, authentic stream: the scan goes on after its first byte.
            at += 1;
        }
    }
    TakeCatalog(found, true);
    FHeader.CatalogPosition = 0;
    FHeader.CatalogLength = 0;
    FHeader.Generation = found.Generation;
    SecureClear(found.Memo);
}

void TSealedContainer::Commit()
{
    TCatalogRecord record;
    record.Generation = FHeader.Generation + 1;
    record.SortCode = FCatalog->SortCode();
    record.Memo = FMemo;
    record.Extra = FExtra;
    std::vector<TCatalog::TEntry> byNumber(FCatalog->begin(), FCatalog->end());
    std::sort(byNumber.begin(), byNumber.end(), [](const auto& a, const auto& b) { return a->FID < b->FID; });
    for (const auto& entry : byNumber) {
        record.Entries.push_back(FStreams.at(entry.get()));
    }
    std::string plain = EncodeCatalog(record);
    SecureClear(record.Memo);

    const std::int64_t position = FStream->Size();
    FStream->SetPosition(position);
    TSealedWriter writer(*FStream, CatalogSeal(), CatalogKind, plain.size());
    writer.WriteBuffer(plain.data(), static_cast<std::int64_t>(plain.size()));
    SecureClear(plain);
    writer.Finish();
    FStream->Flush();

    TSealedHeader next = FHeader;
    next.ZombieBytes += FHeader.CatalogLength;
    next.CatalogPosition = static_cast<std::uint64_t>(position);
    next.CatalogLength = writer.StoredLength();
    next.Generation = record.Generation;
    const std::string header = SealHeader(next, FKeys->Header());
    FStream->SetPosition(0);
    FStream->WriteBuffer(header.data(), static_cast<std::int64_t>(header.size()));
    FStream->Flush();
    FHeader = next;
    FModified = false;
    FCommittedSinceOpen = true;
    FCommittedSortCode = record.SortCode;
}

void TSealedContainer::Release()
{
    FEntryReader.reset();
    CloseStream();
    SecureClear(FMemo);
    FOpen = false;
    FWritable = false;
    FModified = false;
    FCommittedSinceOpen = false;
}

void TSealedContainer::Close()
{
    if (!FOpen) {
        return;
    }
    try {
        if (FModified || (FCommittedSinceOpen && FCatalog->SortCode() != FCommittedSortCode)) {
            Commit();
        }
    } catch (...) {
        Release();
        throw;
    }
    Release();
}

void TSealedContainer::StoreEntry(const std::shared_ptr<TFileInfo>& entry, TStream& contents,
                                  std::int64_t doneBefore, std::int64_t total)
{
    NumberDuplicate(*entry);
    entry->FPosition = FStream->Size();
    FStream->SetPosition(entry->FPosition);
    const std::string header = EncodeEntryHeader(*entry);
    entry->FHeaderLength = static_cast<std::int64_t>(header.size());
    TSealedWriter writer(*FStream, EntrySeal(), EntryKind, header.size() + static_cast<std::uint64_t>(entry->FSize));
    writer.WriteBuffer(header.data(), static_cast<std::int64_t>(header.size()));
    CopyReporting(static_cast<TStream&>(writer), contents, entry->FSize, doneBefore, total);
    writer.Finish();
    FStreams[entry.get()] = {static_cast<std::uint64_t>(entry->FPosition), writer.StoredLength(), writer.Prefix(),
                             header};
    FCatalog->Add(entry);
}

void TSealedContainer::Undoable(const std::function<void()>& change)
{
    const std::int64_t oldSize = FStream->Size();
    const std::int32_t firstNewID = FCatalog->NextID();
    std::string oldMemo = FMemo;
    const std::string oldExtra = FExtra;
    try {
        change();
        Commit();
        SecureClear(oldMemo);
    } catch (...) {
        FMemo = std::move(oldMemo);
        FExtra = oldExtra;
        for (int index = FCatalog->Count() - 1; index >= 0; --index) {
            const TCatalog::TEntry& entry = FCatalog->Item(index);
            if (entry->FID >= firstNewID) {
                FStreams.erase(entry.get());
                FCatalog->DeleteAt(index);
            }
        }
        try {
            FStream->SetSize(oldSize);
        } catch (const std::exception&) {
            // The failure that brought us here is the one to report; the bytes behind the
            // committed catalog are never read.
        }
        throw;
    }
}

TCatalog& TSealedContainer::AddFiles(TFileReadAhead& files, const TFileStarting& starting)
{
    if (files.Files().empty()) {
        return GetCatalog();
    }
    RequireWritable(msg::AttemptedAppendToClosed, msg::AttemptedAppendToReadOnly,
                    {files.Files().front().FullName, FFileName});
    Undoable([&] { AppendAll(files, starting); });
    return *FCatalog;
}

TCatalog& TSealedContainer::AppendContainer(TContainer& source)
{
    RequireWritable(msg::AttemptedAppendToClosed, msg::AttemptedAppendToReadOnly, {source.FileName(), FFileName});
    const bool wasEmpty = FCatalog->Count() == 0;
    Undoable([&] {
        StoreEntriesOf(source);
        FMemo = source.GetMemo();
        FExtra = source.GetExtra();
        FCatalog->SortByCode(wasEmpty ? source.GetCatalog().SortCode() : FCatalog->SortCode());
    });
    return *FCatalog;
}

std::shared_ptr<TFileInfo> TSealedContainer::OpenListedEntry(int index)
{
    RequireOpen(msg::AttemptedExtractFromClosed, {std::int64_t{index}, FFileName});
    if (index < 0 || index >= FCatalog->Count()) {
        ThrowContainerError(msg::FileIndexOutOfBounds, {std::int64_t{index}});
    }
    const TCatalog::TEntry& listed = FCatalog->Item(index);
    const TListedStream& stream = FStreams.at(listed.get());
    const std::string name = listed->FPath.FileName();
    FEntryReader.reset();
    FEntryReader = std::make_unique<TSealedReader>(*FStream, listed->FPosition, EntrySeal(), EntryKind,
                                                   msg::SealedEntryDamaged, name);
    TSealedReader& reader = *FEntryReader;
    const auto mismatch = [&] { ThrowContainerError(msg::AttachmentDoesNotMatchList, {name}); };
    if (reader.Prefix() != stream.Prefix || reader.StoredLength() != stream.StoredLength ||
        static_cast<std::uint64_t>(reader.Size()) != stream.Header.size() + static_cast<std::uint64_t>(listed->FSize)) {
        mismatch();
    }
    std::string header(stream.Header.size(), '\0');
    reader.ReadBuffer(header.data(), static_cast<std::int64_t>(header.size()));
    if (header != stream.Header) {
        mismatch();
    }
    return listed;
}

std::shared_ptr<TFileInfo> TSealedContainer::ExtractFile(int index, const std::string& targetFolder,
                                                         TFileWriteBehind* writeBehind)
{
    auto entry = OpenListedEntry(index);
    ExtractData(*entry, targetFolder, false, writeBehind, *FEntryReader);
    return entry;
}

std::shared_ptr<TFileInfo> TSealedContainer::ExtractFileTo(int index, const std::string& targetFile)
{
    auto entry = OpenListedEntry(index);
    ExtractData(*entry, targetFile, true, nullptr, *FEntryReader);
    return entry;
}

TStream& TSealedContainer::EntryData(int index)
{
    OpenListedEntry(index);
    return *FEntryReader;
}

TCatalog& TSealedContainer::DeleteEntry(const TFileInfo& entry)
{
    RequireWritable(msg::AttemptedDeleteInClosed, msg::AttemptedDeleteInReadOnly, {entry.FID, FFileName});
    for (const auto& item : *FCatalog) {
        if (item->FID == entry.FID) {
            FHeader.ZombieBytes += FStreams.at(item.get()).StoredLength;
            FStreams.erase(item.get());
            FCatalog->Remove(*item);
            FModified = true;
            Commit();
            break;
        }
    }
    return *FCatalog;
}

TCatalog& TSealedContainer::GetCatalog()
{
    RequireOpen(msg::AttemptedReadCatalogOnClosed, {FFileName});
    return *FCatalog;
}

TCatalog& TSealedContainer::RegenCatalog(bool markModified)
{
    RequireOpen(msg::AttemptedRegenCatalogInClosed, {FFileName});
    Recover();
    FModified = markModified;
    if (markModified) {
        FHeader.ZombieBytes = 0;
    }
    return *FCatalog;
}

void TSealedContainer::SetMemo(const std::string& text)
{
    RequireOpen(msg::AttemptedSetMemoInClosed, {FFileName});
    FMemo = text;
    FModified = true;
}

std::string TSealedContainer::GetMemo()
{
    RequireOpen(msg::AttemptedGetMemoOnClosed, {FFileName});
    return FMemo;
}

void TSealedContainer::SetExtra(const std::string& text)
{
    RequireOpen(msg::AttemptedSetExtraInClosed, {FFileName});
    FExtra = text;
    FModified = true;
}

std::string TSealedContainer::GetExtra()
{
    RequireOpen(msg::AttemptedGetExtraOnClosed, {FFileName});
    return FExtra;
}

std::int64_t TSealedContainer::GetZombieBytes()
{
    RequireOpen(msg::AttemptedReadZombieCounterFromClosed, {FFileName});
    return static_cast<std::int64_t>(FHeader.ZombieBytes);
}
