#include "BasicContainer.h"

#include "Container.h"
#include "ContainerError.h"
#include "FileWriteBehind.h"
#include "LocalFiles.h"
#include "LocalTime.h"
#include "TextCompare.h"
#include "language/Messages.h"
#include "text/StoredText.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

constexpr std::int64_t EndMarker = -1;

} // namespace

std::unique_ptr<TBasicFileStream> TBasicContainer::MakeStream(const std::string& fileName, TFileMode mode)
{
    return std::make_unique<TBasicFileStream>(fileName, mode);
}

void TBasicContainer::CreateFile(const std::string& fileName)
{
    if (FileExists(fileName) && IsReadOnlyFile(fileName)) {
        ThrowContainerError(msg::FileReadOnlyCannotOverwrite, {fileName});
    }
    FStream = MakeStream(fileName, TFileMode::Create);
}

void TBasicContainer::OpenForWrite(const std::string& fileName)
{
    if (!FileExists(fileName)) {
        ThrowContainerError(msg::ContainerNotFound, {fileName});
    }
    if (IsReadOnlyFile(fileName)) {
        ThrowContainerError(msg::FileReadOnlyCannotOverwrite, {fileName});
    }
    FStream = MakeStream(fileName, TFileMode::OpenReadWrite);
}

void TBasicContainer::OpenForRead(const std::string& fileName)
{
    if (!FileExists(fileName)) {
        ThrowContainerError(msg::ContainerNotFound, {fileName});
    }
    FStream = MakeStream(fileName, TFileMode::OpenRead);
}

void TBasicContainer::CloseStream()
{
    if (FStream) {
        const std::unique_ptr<TBasicFileStream> stream = std::move(FStream);
        stream->Close();
    }
}

void TBasicContainer::WriteInt64(std::int64_t value)
{
    unsigned char bytes[8];
    auto bits = static_cast<std::uint64_t>(value);
    for (unsigned char& byte : bytes) {
        byte = static_cast<unsigned char>(bits & 0xFF);
        bits >>= 8;
    }
    FStream->WriteBuffer(bytes, sizeof bytes);
}

std::int64_t TBasicContainer::ReadInt64()
{
    unsigned char bytes[8] = {};
    const std::int64_t got = FStream->Read(bytes, sizeof bytes);
    if (got != static_cast<std::int64_t>(sizeof bytes)) {
        ThrowContainerError(msg::IllegalLongSize, {got});
    }
    std::uint64_t bits = 0;
    for (int n = 7; n >= 0; --n) {
        bits = (bits << 8) | bytes[n];
    }
    return static_cast<std::int64_t>(bits);
}

void TBasicContainer::WriteString(std::string_view text)
{
    WriteInt64(static_cast<std::int64_t>(text.size()));
    if (!text.empty()) {
        FStream->WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
    }
}

std::string TBasicContainer::ReadString()
{
    const std::int64_t length = ReadInt64();
    if (length < 0) {
        ThrowContainerError(msg::IllegalStringSize, {length});
    }
    // A damaged or hostile length must not make us allocate more than the file can hold.
    const std::int64_t left = BytesLeft();
    if (length > left) {
        ThrowContainerError(msg::StringIncomplete, {left, length});
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    const std::int64_t got = length > 0 ? FStream->Read(text.data(), length) : 0;
    if (got != length) {
        ThrowContainerError(msg::StringIncomplete, {got, length});
    }
    return text;
}

std::int64_t TBasicContainer::BytesLeft()
{
    const std::int64_t left = FStream->Size() - FStream->Position();
    return left > 0 ? left : 0;
}

void TBasicContainer::RequireDataLeft(TStream& data, std::int64_t size)
{
    const std::int64_t left = std::max<std::int64_t>(data.Size() - data.Position(), 0);
    if (size > left) {
        ThrowContainerError(msg::StringIncomplete, {left, size});
    }
}

void TBasicContainer::CopyReporting(TBasicFileStream& target, TStream& source, std::int64_t count,
                                    std::int64_t doneBefore, std::int64_t total)
{
    TBasicFileStream::TChunkDone report;
    if (FProgress) {
        report = [&](std::int64_t done) { Report(doneBefore + done, total); };
    }
    if (count > 0) {
        target.CopyFromStream(source, count, report);
    } else {
        Report(doneBefore, total);
    }
}

void TBasicContainer::CopyReporting(TStream& target, TStream& source, std::int64_t count, std::int64_t doneBefore,
                                    std::int64_t total)
{
    constexpr std::int64_t PieceSize = 1 << 20;
    std::vector<char> piece(static_cast<std::size_t>(std::min(count, PieceSize)));
    std::int64_t done = 0;
    Report(doneBefore, total);
    while (done < count) {
        const std::int64_t size = std::min(count - done, PieceSize);
        source.ReadBuffer(piece.data(), size);
        target.WriteBuffer(piece.data(), size);
        done += size;
        Report(doneBefore + done, total);
    }
}

void TBasicContainer::Report(std::int64_t done, std::int64_t total)
{
    if (FProgress && !FProgress(done, total)) {
        ThrowCancelled();
    }
}

void TBasicContainer::WriteHeader()
{
    WriteInt64(0);
}

void TBasicContainer::ReadHeader()
{
    const std::int64_t format = ReadInt64();
    if (format != 0) {
        ThrowContainerError(msg::InvalidContainerFormat, {format});
    }
}

void TBasicContainer::WriteTrailer()
{
    WriteInt64(EndMarker);
}

void TBasicContainer::AddEntry(const std::shared_ptr<TFileInfo>& entry)
{
    entry->FPosition = FStream->Position();
    NumberDuplicate(*entry);
    WriteEntryHeader(*entry);
}

void TBasicContainer::NumberDuplicate(TFileInfo& entry)
{
    const auto [found, isNew] = FNames.try_emplace(CaseFoldedKey(entry.FPath.FullName()), entry.FDupNo);
    if (!isNew) {
        entry.FDupNo = ++found->second;
    }
}

void TBasicContainer::StoreEntry(const std::shared_ptr<TFileInfo>& entry, TStream& contents, std::int64_t doneBefore,
                                 std::int64_t total)
{
    AddEntry(entry);
    CopyReporting(*FStream, contents, entry->FSize, doneBefore, total);
}

void TBasicContainer::WriteEntryHeader(TFileInfo& entry)
{
    const std::int64_t start = FStream->Position();
    WriteInt64(entry.FSize);
    WriteInt64(entry.FPosition);
    WriteString(ToStoredText(entry.FPath.StoredBaseFolder()));
    WriteString(ToStoredText(entry.FPath.StoredRelativeFolder()));
    WriteString(ToStoredText(entry.FPath.StoredFileName()));
    WriteString(entry.FPath.Reserved());
    WriteInt64(entry.FDupNo);
    WriteInt64(entry.FAttributes);
    WriteInt64(entry.FModified);
    WriteInt64(entry.FAdded);
    entry.FHeaderLength = FStream->Position() - start + 8;
    WriteInt64(entry.FHeaderLength);
}

std::shared_ptr<TFileInfo> TBasicContainer::ReadEntryHeader()
{
    auto entry = std::make_shared<TFileInfo>();
    entry->FSize = ReadInt64();
    if (entry->FSize == EndMarker) {
        return nullptr;
    }
    if (entry->FSize < 0) {
        ThrowContainerError(msg::IllegalLongSize, {entry->FSize});
    }
    entry->FPosition = ReadInt64();
    std::string baseFolder = FromStoredText(ReadString());
    std::string relativeFolder = FromStoredText(ReadString());
    std::string fileName = FromStoredText(ReadString());
    std::string reserved = ReadString();
    entry->FPath = TPathInfo::FromStored(std::move(baseFolder), std::move(relativeFolder), std::move(fileName),
                                         std::move(reserved));
    entry->FDupNo = ReadInt64();
    entry->FAttributes = ReadInt64();
    entry->FModified = ReadInt64();
    entry->FAdded = ReadInt64();
    entry->FHeaderLength = ReadInt64();
    return entry;
}

std::shared_ptr<TFileInfo> TBasicContainer::ReadEntryHeaderAt()
{
    const std::int64_t position = FStream->Position();
    auto entry = ReadEntryHeader();
    if (entry) {
        entry->FPosition = position;
    }
    return entry;
}

void TBasicContainer::AppendFile(const TPathInfo& path, TReadFile& file)
{
    auto entry = std::make_shared<TFileInfo>();
    entry->FSize = file.Facts.Size;
    entry->FModified = file.Facts.LastWrite;
    entry->FAttributes = file.Facts.Attributes;
    entry->FAdded = LocalSecondsNow();
    entry->FPath = path;
    StoreEntry(entry, *file.Contents, 0, entry->FSize);
}

void TBasicContainer::AppendAll(TFileReadAhead& files, const TFileStarting& starting)
{
    std::int64_t done = 0;
    while (std::optional<TReadFile> file = files.Next()) {
        const TFileToStore& source = files.Files()[file->Index];
        if (starting) {
            starting(done, source.FullName);
        }
        AppendFile(source.Path, *file);
        done += file->Facts.Size;
    }
}

void TBasicContainer::StoreEntriesOf(TContainer& source)
{
    const TCatalog& catalog = source.GetCatalog();
    std::int64_t total = 0;
    for (const auto& entry : catalog) {
        total += entry->FSize;
    }
    std::int64_t done = 0;
    for (int index = 0; index < catalog.Count(); ++index) {
        TStream& data = source.EntryData(index);
        auto entry = std::make_shared<TFileInfo>(*catalog.Item(index));
        StoreEntry(entry, data, done, total);
        done += entry->FSize;
    }
}

void TBasicContainer::AppendFiles(const std::vector<TPathInfo>& paths)
{
    std::vector<TFileToStore> sources;
    sources.reserve(paths.size());
    for (const TPathInfo& path : paths) {
        sources.push_back({path.FullName(), path});
    }
    TFileReadAhead files(std::move(sources));
    WriteHeader();
    AppendAll(files, {});
    WriteTrailer();
}

std::shared_ptr<TFileInfo> TBasicContainer::ExtractNext(const std::string& target, bool targetIsFile)
{
    auto entry = ReadEntryHeaderAt();
    if (entry) {
        ExtractData(*entry, target, targetIsFile, nullptr, *FStream);
    }
    return entry;
}

void TBasicContainer::ExtractData(const TFileInfo& entry, const std::string& target, bool targetIsFile,
                                  TFileWriteBehind* writeBehind, TStream& data)
{
    RequireDataLeft(data, entry.FSize);
    if (entry.FPath.StoredFileName().empty()) {
        // Nothing to write; step over the data so that the next entry is read from its header.
        data.Seek(entry.FSize, TSeekOrigin::Current);
        return;
    }
    std::string outputName = target;
    if (!targetIsFile) {
        if (target.empty()) {
            ThrowContainerError(msg::InvalidFolder);
        }
        entry.FPath.CheckExtractable();
        outputName = entry.FPath.TargetName(target);
    }
    if (writeBehind != nullptr && entry.FSize <= TFileWriteBehind::MaxFileSize) {
        std::string contents(static_cast<std::size_t>(entry.FSize), '\0');
        data.ReadBuffer(contents.data(), entry.FSize);
        Report(entry.FSize, entry.FSize);
        writeBehind->Write(outputName, std::move(contents), entry.FModified);
        return;
    }
    TOverwrite overwrite = TOverwrite::Allowed;
    if (writeBehind != nullptr) {
        // An earlier entry of the same name may still wait to be written: it goes first, so that
        // the one extracted last is the one that stays (or, where overwriting is refused, the
        // first one).
        writeBehind->Settle(outputName);
        overwrite = writeBehind->Overwrite();
    }
    // A large file is not deciphered in vain: a name taken already is found first (and one taken
    // meanwhile still when the file is complete).
    std::error_code unknown;
    if (overwrite == TOverwrite::Refused &&
        std::filesystem::exists(std::filesystem::symlink_status(outputName, unknown))) {
        throw EFileExists(outputName);
    }
    WriteCompleteFile(
        outputName, entry.FModified,
        [&](int handle) {
            TBasicFileStream output(handle, outputName);
            CopyReporting(output, data, entry.FSize, 0, entry.FSize);
            // A failed last write is reported here; the destructor could not.
            output.Close();
        },
        overwrite);
}

std::unique_ptr<TCatalog> TBasicContainer::ExtractAll(const std::string& targetFolder)
{
    ReadHeader();
    auto catalog = std::make_unique<TCatalog>();
    while (auto entry = ExtractNext(targetFolder, false)) {
        catalog->Add(entry);
    }
    return catalog;
}

void TBasicContainer::CreateWith(const std::string& fileName, const std::vector<TPathInfo>& paths)
{
    CreateFile(fileName);
    try {
        AppendFiles(paths);
    } catch (...) {
        CloseStream();
        throw;
    }
    CloseStream();
}

std::unique_ptr<TCatalog> TBasicContainer::ExtractAllFrom(const std::string& fileName, const std::string& targetFolder)
{
    OpenForRead(fileName);
    try {
        auto catalog = ExtractAll(targetFolder);
        CloseStream();
        return catalog;
    } catch (...) {
        CloseStream();
        throw;
    }
}
