#include "ContainerFixture.h"

TFileMap ContainerFixture::ExtractedFiles(TContainer& container)
{
    TFileMap files;
    const std::string folder = FDir.File("extracted");
    for (int index = 0; index < container.GetCatalog().Count(); ++index) {
        const std::string target = folder + "/" + std::to_string(index);
        const std::string name = container.ExtractFileTo(index, target)->FPath.FileName();
        files[name] = ReadWholeFile(target);
    }
    std::filesystem::remove_all(folder);
    return files;
}

TFileMap ContainerFixture::ExtractedFiles(const std::string& file, const std::string& password)
{
    const std::unique_ptr<TContainer> container = ContainerFor(file, TContainerKey(password));
    container->OpenReadOnly(file);
    TFileMap files = ExtractedFiles(*container);
    container->Close();
    return files;
}

namespace {

// Reads a container file the way its segments are enciphered, wherever they begin.
class TSegmentReader : public TRandomCryptoContainer
{
public:
    using TRandomCryptoContainer::TRandomCryptoContainer;

    std::int64_t FileSize() { return FStream->Size(); }
    // The bytes from position to the end, deciphered as a segment that begins there.
    std::string SegmentFrom(std::int64_t position)
    {
        std::string bytes(static_cast<std::size_t>(FStream->Size() - position), '\0');
        FStream->SetPosition(position);
        RestartSegmentCipher();
        FStream->ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
        return bytes;
    }
};

} // namespace

bool RecoverableText(const std::string& file, const std::string& password, const std::string& text)
{
    TSegmentReader reader{TContainerKey(password)};
    reader.OpenReadOnly(file);
    bool found = false;
    for (std::int64_t position = 0; !found && position < reader.FileSize(); ++position) {
        found = reader.SegmentFrom(position).find(text) != std::string::npos;
    }
    reader.Close();
    return found;
}

std::string PatternBytes(std::size_t size, unsigned seed)
{
    std::string bytes(size, '\0');
    std::uint32_t state = seed * 2654435761u + 1;
    for (char& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>(state >> 24);
    }
    return bytes;
}

TFileMap TreeOf(const std::string& folder)
{
    TFileMap files;
    for (const auto& item : std::filesystem::recursive_directory_iterator(folder)) {
        if (item.is_regular_file()) {
            files[std::filesystem::relative(item.path(), folder).string()] = ReadWholeFile(item.path().string());
        }
    }
    return files;
}

std::int64_t Int64At(const std::string& bytes, std::size_t offset)
{
    std::uint64_t value = 0;
    for (int n = 7; n >= 0; --n) {
        value = (value << 8) | static_cast<unsigned char>(bytes.at(offset + n));
    }
    return static_cast<std::int64_t>(value);
}

std::int64_t CatalogPosition(const std::string& bytes, const std::string& password)
{
    return Int64At(bytes, 8) ^ TBrassCrypto(TCryptoContainer::PaddedKey(password)).GetCheck();
}
