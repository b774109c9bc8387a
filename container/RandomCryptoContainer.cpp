#include "RandomCryptoContainer.h"

#include "ContainerError.h"
#include "ListedEntry.h"
#include "LocalFiles.h"
#include "PendingFile.h"
#include "cipher/SecureZero.h"
#include "language/Messages.h"

#include <cstdio>
#include <filesystem>

namespace {

constexpr std::int64_t EndMarker = -1;
constexpr std::int64_t MarkerSize = 8;

} // namespace

TRandomCryptoContainer::TRandomCryptoContainer(const TContainerKey& key)
    : TCryptoCatContainer(key), FFreshCipher(FCipher->Clone()), FScrambledKey(Scrambled(key))
{
}

TRandomCryptoContainer::~TRandomCryptoContainer()
{
    SecureZero(FMemo.data(), FMemo.size());
}

TContainerKey TRandomCryptoContainer::Scrambled(const TContainerKey& key) const
{
    // Each byte at 1-based position k is XORed with byte k mod 8 of the check value (least
    // significant first); the same operation unscrambles.
    const auto check = static_cast<std::uint64_t>(FCipher->GetCheck());
    TContainerKey result(TContainerKey::TFromBytes{}, std::string(key.Bytes()));
    for (std::size_t k = 1; k <= result.FBytes.size(); ++k) {
        result.FBytes[k - 1] =
            static_cast<char>(result.FBytes[k - 1] ^ static_cast<char>((check >> (8 * (k % 8))) & 0xFF));
    }
    return result;
}

TContainerKey TRandomCryptoContainer::GetKey() const
{
    return Scrambled(FScrambledKey);
}

void TRandomCryptoContainer::RequireOpen(const TMessage& refusal, std::initializer_list<TFormatArg> args)
{
    if (!FOpen) {
        ThrowContainerError(refusal, args);
    }
}

std::int64_t TRandomCryptoContainer::GetZombieBytes()
{
    RequireOpen(msg::AttemptedReadZombieCounterFromClosed, {FFileName});
    return FZombieBytes;
}

TCatalog& TRandomCryptoContainer::GetCatalog()
{
    RequireOpen(msg::AttemptedReadCatalogOnClosed, {FFileName});
    return *FCatalog;
}

void TRandomCryptoContainer::ReleaseAfterFailure()
{
    CloseStream();
    FOpen = false;
    FMode = ModeNone;
}

TCatalog& TRandomCryptoContainer::OpenNew(const std::string& fileName)
{
    if (FOpen) {
        ThrowContainerError(msg::AttemptedOpenNewOnOpened, {FFileName});
    }
    try {
        CreateFile(fileName);
        FOpen = true;
        FZombieBytes = 0;
        FCipher = FFreshCipher->Clone();
        WriteHeader();
        FCatalog = std::make_unique<TCatalog>();
        FMemo.clear();
        WriteTrailer();
        CloseStream();
        FCipher = FFreshCipher->Clone();
        FOpen = false;
    } catch (...) {
        ReleaseAfterFailure();
        throw;
    }
    return Open(fileName);
}

TCatalog& TRandomCryptoContainer::Open(const std::string& fileName)
{
    return OpenAs(fileName, ModeWritable);
}

TCatalog& TRandomCryptoContainer::OpenReadOnly(const std::string& fileName)
{
    return OpenAs(fileName, ModeReadOnly);
}

TCatalog& TRandomCryptoContainer::OpenAs(const std::string& fileName, std::uint8_t mode)
{
    if (FOpen) {
        ThrowContainerError(msg::AttemptedOpenOnOpened, {FFileName});
    }
    try {
        if (mode == ModeWritable) {
            OpenForWrite(fileName);
        } else {
            OpenForRead(fileName);
        }
        FFileName = fileName;
        FOpen = true;
        FMode = mode;
        FModified = false;
        // A container found without a catalog has no memo and no extra to read back: it must
        // not show those of the container this object had open before.
        FMemo.clear();
        FExtra.clear();
        FCipher = FFreshCipher->Clone();
        ReadHeader();
        FCipher = FFreshCipher->Clone();

        bool needsScan = FCatalogPos == 0;
        if (!needsScan) {
            try {
                ReadCatalog();
            } catch (const std::exception&) {
                // A stored catalog that cannot be read does not lose the files: find them again.
                needsScan = true;
            }
        }
        if (needsScan) {
            ScanCatalog();
            if (mode == ModeWritable) {
                FModified = true;
                FZombieBytes = 0;
            }
        }
    } catch (...) {
        ReleaseAfterFailure();
        throw;
    }
    return *FCatalog;
}

void TRandomCryptoContainer::Close()
{
    if (!FOpen) {
        return;
    }
    const auto release = [this] {
        CloseStream();
        SecureZero(FMemo.data(), FMemo.size());
        FMemo.clear();
        FCipher = FFreshCipher->Clone();
        FOpen = false;
        FModified = false;
    };
    try {
        if (FModified) {
            FStream->SetPosition(FCatalogPos);
            WriteCatalog();
            FStream->Flush();
        }
    } catch (...) {
        release();
        throw;
    }
    release();
}

TCatalog& TRandomCryptoContainer::ScanCatalog()
{
    FCipher = FFreshCipher->Clone();
    FStream->SetPosition(0);
    return TCryptoCatContainer::ScanCatalog();
}

void TRandomCryptoContainer::WriteEndMarker()
{
    RestartSegmentCipher();
    WriteInt64(EndMarker);
    // A complete entry reaches the file at once, whatever happens to the program afterwards.
    FStream->PushWrites();
    FCatalogPos = FStream->Position();
    FModified = true;
}

void TRandomCryptoContainer::RequireAppendable(const std::string& fileName)
{
    RequireOpen(msg::AttemptedAppendToClosed, {fileName, FFileName});
    if (FMode == ModeReadOnly) {
        ThrowContainerError(msg::AttemptedAppendToReadOnly, {fileName, FFileName});
    }
}

TCatalog& TRandomCryptoContainer::AddFiles(TFileReadAhead& files, const TFileStarting& starting)
{
    if (files.Files().empty()) {
        return GetCatalog();
    }
    RequireAppendable(files.Files().front().FullName);
    AppendUndoable([&] { AppendAll(files, starting); });
    return *FCatalog;
}

void TRandomCryptoContainer::AppendUndoable(const std::function<void()>& append)
{
    const std::int64_t entryStart = FCatalogPos - MarkerSize;
    const std::int64_t oldSize = FStream->Size();
    const std::int32_t firstNewID = FCatalog->NextID();
    const bool wasModified = FModified;
    FStream->SetPosition(entryStart);
    try {
        append();
    } catch (...) {
        TakeBack(entryStart, oldSize, firstNewID, wasModified);
        throw;
    }
    WriteEndMarker();
}

void TRandomCryptoContainer::TakeBack(std::int64_t entryStart, std::int64_t oldSize, std::int32_t firstNewID,
                                      bool wasModified)
{
    for (int index = FCatalog->Count() - 1; index >= 0; --index) {
        if (FCatalog->Item(index)->FID >= firstNewID) {
            FCatalog->DeleteAt(index);
        }
    }
    try {
        FStream->SetSize(oldSize);
        FStream->SetPosition(entryStart);
        WriteEndMarker();
        if (!wasModified) {
            // Writing the catalog sorts it by number; the window's order stays.
            const std::int64_t sortCode = FCatalog->SortCode();
            FStream->SetPosition(FCatalogPos);
            WriteCatalog();
            FStream->Flush();
            FCatalog->SortByCode(sortCode);
            FModified = false;
        }
    } catch (const std::exception&) {
        // The failure that brought us here is the one to report. The catalog stays due, so that
        // Close writes it once more.
        FModified = true;
    }
}

std::shared_ptr<TFileInfo> TRandomCryptoContainer::ExtractFile(int index, const std::string& targetFolder,
                                                               TFileWriteBehind* writeBehind)
{
    TCatalog::TEntry entry = SeekToListedData(index);
    ExtractData(*entry, targetFolder, false, writeBehind, *FStream);
    return entry;
}

std::shared_ptr<TFileInfo> TRandomCryptoContainer::ExtractFileTo(int index, const std::string& targetFile)
{
    TCatalog::TEntry entry = SeekToListedData(index);
    ExtractData(*entry, targetFile, true, nullptr, *FStream);
    return entry;
}

TStream& TRandomCryptoContainer::EntryData(int index)
{
    RequireDataLeft(*FStream, SeekToListedData(index)->FSize);
    return *FStream;
}

TCatalog::TEntry TRandomCryptoContainer::SeekToListedData(int index)
{
    RequireOpen(msg::AttemptedExtractFromClosed, {std::int64_t{index}, FFileName});
    if (index < 0 || index >= FCatalog->Count()) {
        ThrowContainerError(msg::FileIndexOutOfBounds, {std::int64_t{index}});
    }
    TCatalog::TEntry listed = FCatalog->Item(index);
    // A damaged catalog may point anywhere.
    if (listed->FPosition < 0 || listed->FPosition >= FStream->Size()) {
        ThrowContainerError(msg::IllegalLongSize, {listed->FPosition});
    }
    FStream->SetPosition(listed->FPosition);
    RestartSegmentCipher();
    const std::shared_ptr<TFileInfo> header = ReadEntryHeader();
    if (!header || !IsListedEntry(*header, *listed)) {
        ThrowContainerError(msg::AttachmentDoesNotMatchList, {listed->FPath.FileName()});
    }
    return listed;
}

TCatalog& TRandomCryptoContainer::DeleteEntry(const TFileInfo& entry)
{
    RequireOpen(msg::AttemptedDeleteInClosed, {entry.FID, FFileName});
    if (FMode == ModeReadOnly) {
        ThrowContainerError(msg::AttemptedDeleteInReadOnly, {entry.FID, FFileName});
    }
    for (const auto& item : *FCatalog) {
        if (item->FID == entry.FID) {
            FZombieBytes += item->FHeaderLength + item->FSize;
            FCatalog->Remove(*item);
            FModified = true;
            break;
        }
    }
    return *FCatalog;
}

TCatalog& TRandomCryptoContainer::RegenCatalog(bool markModified)
{
    RequireOpen(msg::AttemptedRegenCatalogInClosed, {FFileName});
    ScanCatalog();
    FModified = markModified;
    if (markModified) {
        FZombieBytes = 0;
    }
    return *FCatalog;
}

TCatalog& TRandomCryptoContainer::AppendContainer(TContainer& source)
{
    RequireAppendable(source.FileName());
    const bool wasEmpty = FCatalog->Count() == 0;
    AppendUndoable([&] { StoreEntriesOf(source); });
    SetMemo(source.GetMemo());
    SetExtra(source.GetExtra());
    FCatalog->SortByCode(wasEmpty ? source.GetCatalog().SortCode() : FCatalog->SortCode());
    return *FCatalog;
}

void TRandomCryptoContainer::SetMemo(const std::string& text)
{
    RequireOpen(msg::AttemptedSetMemoInClosed, {FFileName});
    FMemo = text;
    FModified = true;
}

std::string TRandomCryptoContainer::GetMemo()
{
    RequireOpen(msg::AttemptedGetMemoOnClosed, {FFileName});
    return FMemo;
}

void TRandomCryptoContainer::SetExtra(const std::string& text)
{
    RequireOpen(msg::AttemptedSetExtraInClosed, {FFileName});
    FExtra = text;
    FModified = true;
}

std::string TRandomCryptoContainer::GetExtra()
{
    RequireOpen(msg::AttemptedGetExtraOnClosed, {FFileName});
    return FExtra;
}
