#include "ContainerFormats.h"

#include "SealedContainer.h"
#include "container/ContainerError.h"
#include "container/LocalFiles.h"
#include "container/PendingFile.h"
#include "container/RandomCryptoContainer.h"
#include "language/Messages.h"

#include <cstdio>
#include <fstream>

bool IsWritableFormat(std::int64_t format)
{
    return format == ClassicFormat || format == SealedFormat;
}

std::int64_t FormatOfFile(const std::string& fileName)
{
    std::ifstream file(fileName, std::ios::binary);
    unsigned char bytes[8] = {};
    if (!file.read(reinterpret_cast<char*>(bytes), sizeof bytes)) {
        return 0;
    }
    std::uint64_t format = 0;
    for (int n = 7; n >= 0; --n) {
        format = (format << 8) | bytes[n];
    }
    return static_cast<std::int64_t>(format);
}

std::unique_ptr<TContainer> NewContainer(const TContainerKey& key, std::int64_t format)
{
    if (format == SealedFormat) {
        return std::make_unique<TSealedContainer>(key);
    }
    if (format != ClassicFormat) {
        ThrowContainerError(msg::InvalidContainerFormat, {format});
    }
    return std::make_unique<TRandomCryptoContainer>(key);
}

std::unique_ptr<TContainer> ContainerFor(const std::string& fileName, const TContainerKey& key)
{
    return NewContainer(key, FormatOfFile(fileName) == SealedFormat ? SealedFormat : ClassicFormat);
}

void CopyContainer(const std::string& sourceFile, const TContainerKey& sourceKey, const std::string& targetFile,
                   const std::string& tempFile, const TContainerKey& targetKey, const TCopyProgress& progress,
                   std::int64_t targetFormat)
{
    const std::unique_ptr<TContainer> source = ContainerFor(sourceFile, sourceKey);
    source->OpenReadOnly(sourceFile);
    try {
        CreateParentFolders(tempFile);
        const std::unique_ptr<TContainer> copy = NewContainer(targetKey, targetFormat == 0 ? source->Format() : targetFormat);
        copy->OpenNew(tempFile);
        copy->SetProgress(progress);
        try {
            copy->AppendContainer(*source);
        } catch (...) {
            copy->Close();
            std::remove(tempFile.c_str());
            throw;
        }
        copy->Close();
    } catch (...) {
        source->Close();
        throw;
    }
    source->Close();
    // The finished copy goes beside the target first, so that the last step is a rename within
    // one folder: the target is the old container or the new one, never a part of either.
    try {
        TPendingFile replacement(targetFile);
        TBasicFileStream input(tempFile, TFileMode::OpenRead);
        TBasicFileStream target(replacement.Handle(), targetFile);
        target.CopyFromStream(input, 0);
        target.Flush();
        target.Close();
        replacement.Commit();
    } catch (...) {
        std::remove(tempFile.c_str());
        throw;
    }
    std::remove(tempFile.c_str());
}

void RekeyContainer(const std::string& fileName, const TContainerKey& newKey, const TContainerKey& oldKey,
                    const std::string& tempFile, const TCopyProgress& progress, std::int64_t format)
{
    CopyContainer(fileName, oldKey, fileName, tempFile, newKey, progress, format);
}

bool CheckPassword(const std::string& fileName, const TContainerKey& key)
{
    const std::unique_ptr<TContainer> container = ContainerFor(fileName, key);
    try {
        container->OpenReadOnly(fileName);
    } catch (const EPasswordError&) {
        return false;
    }
    container->Close();
    return true;
}
