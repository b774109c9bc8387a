#include "CryptoCatContainer.h"

#include "ContainerError.h"
#include "cipher/ReplayCrypto.h"

namespace {

constexpr std::int64_t EndMarker = -1;
constexpr std::int64_t MarkerSize = 8;

} // namespace

TCryptoCatContainer::TCryptoCatContainer(const TContainerKey& key)
    : TCryptoContainer(key), FCatalog(std::make_unique<TCatalog>())
{
}

void TCryptoCatContainer::RestartSegmentCipher()
{
    FCipher = std::make_unique<TReplayCrypto>(*FHeaderCipher, FSegmentKeystream);
}

void TCryptoCatContainer::KeepHeaderCipher()
{
    FHeaderCipher = FCipher->Clone();
    FSegmentKeystream = std::make_shared<TKeystreamRecord>(*FHeaderCipher, SegmentKeystreamKept);
}

void TCryptoCatContainer::WriteFormat()
{
    TCryptoContainer::WriteFormat();
    SetCipherActive(false);
    FLocatorPos = FStream->Position();
    WriteInt64(FCipher->GetCheck() ^ 0);
    FLocatorValid = false;
    WriteInt64(FZombieBytes);
    SetCipherActive(true);
}

void TCryptoCatContainer::ReadFormat()
{
    TCryptoContainer::ReadFormat();
    SetCipherActive(false);
    FLocatorPos = FStream->Position();
    FCatalogPos = ReadInt64() ^ FCipher->GetCheck();
    FLocatorValid = FCatalogPos != 0;
    FZombieBytes = ReadInt64();
    SetCipherActive(true);
}

void TCryptoCatContainer::WriteHeader()
{
    TCryptoContainer::WriteHeader();
    KeepHeaderCipher();
}

void TCryptoCatContainer::ReadHeader()
{
    TCryptoContainer::ReadHeader();
    KeepHeaderCipher();
}

void TCryptoCatContainer::WriteLocator(std::int64_t catalogPosition)
{
    FLocatorValid = catalogPosition != 0;
    const std::int64_t back = FStream->Position();
    FStream->SetPosition(FLocatorPos);
    SetCipherActive(false);
    WriteInt64(FCipher->GetCheck() ^ catalogPosition);
    WriteInt64(FZombieBytes);
    SetCipherActive(true);
    FStream->SetPosition(back);
}

void TCryptoCatContainer::MarkCatalogInvalid()
{
    if (!FLocatorValid) {
        return; // the file says so already
    }
    WriteLocator(0);
    FStream->PushWrites();
}

void TCryptoCatContainer::AddEntry(const std::shared_ptr<TFileInfo>& entry)
{
    // The new entry overwrites the end marker and the stored catalog behind it, so the catalog
    // is marked invalid first: a program stopped at any moment leaves a file that the next
    // opening recovers by scanning.
    MarkCatalogInvalid();
    RestartSegmentCipher();
    TCryptoContainer::AddEntry(entry);
    FCatalog->Add(entry);
}

std::shared_ptr<TFileInfo> TCryptoCatContainer::ReadEntryHeaderAt()
{
    RestartSegmentCipher();
    return TCryptoContainer::ReadEntryHeaderAt();
}

void TCryptoCatContainer::WriteTrailer()
{
    RestartSegmentCipher();
    WriteInt64(EndMarker);
    WriteCatalog();
}

void TCryptoCatContainer::WriteCatalog()
{
    const std::int64_t catalogPosition = FStream->Position();
    if (FLocatorValid) {
        MarkCatalogInvalid();
        FStream->Flush();
    }

    RestartSegmentCipher();
    WriteInt64(FCatalog->SortCode());
    FCatalog->SortByID();
    for (const auto& entry : *FCatalog) {
        WriteEntryHeader(*entry);
    }
    WriteInt64(EndMarker);
    WriteString(FMemo);
    WriteString(FExtra);
    WriteInt64(EndMarker);

    WriteLocator(catalogPosition);
    FStream->PushWrites();
}

TCatalog& TCryptoCatContainer::ReadCatalog()
{
    FCatalog = std::make_unique<TCatalog>();
    FStream->SetPosition(0);
    ReadHeader();
    RestartSegmentCipher();
    FStream->SetPosition(FCatalogPos);
    const std::int64_t sortCode = ReadInt64();
    std::vector<TCatalog::TEntry> entries;
    while (auto entry = ReadEntryHeader()) {
        entries.push_back(std::move(entry));
    }
    FCatalog->AddAll(std::move(entries));
    FMemo = ReadString();
    FExtra = ReadString();
    FCatalog->SortByCode(sortCode);
    return *FCatalog;
}

TCatalog& TCryptoCatContainer::ScanCatalog()
{
    FCatalog = std::make_unique<TCatalog>();
    FCatalog->SetRegenerated(true);
    std::vector<TCatalog::TEntry> entries;
    try {
        ReadHeader();
        FCatalogPos = FStream->Position() + MarkerSize;
        while (auto entry = ReadEntryHeaderAt()) {
            if (entry->FSize > BytesLeft()) {
                break; // cut short: its data does not fit in what is left of the file
            }
            FStream->Seek(entry->FSize, TSeekOrigin::Current);
            entries.push_back(std::move(entry));
            FCatalogPos = FStream->Position() + MarkerSize;
        }
    } catch (const std::exception&) {
        // A damaged or truncated entry ends the scan; what was found so far is kept.
    }
    FCatalog->AddAll(std::move(entries));
    return *FCatalog;
}

void TCryptoCatContainer::SetMemo(const std::string& text)
{
    FMemo = text;
}

std::string TCryptoCatContainer::GetMemo()
{
    return FMemo;
}

void TCryptoCatContainer::SetExtra(const std::string& text)
{
    FExtra = text;
}

std::string TCryptoCatContainer::GetExtra()
{
    return FExtra;
}
