#pragma once

#include "HostileContainer.h"
#include "TempDir.h"
#include "container/ContainerError.h"
#include "container/Delay.h"
#include "container/RandomCryptoContainer.h"
#include "sealed/ContainerFormats.h"
#include "sealed/SealedContainer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

// File name to contents.
using TFileMap = std::map<std::string, std::string>;

// A scratch folder for container tests, with the wrong-password pause recorded instead of slept.
class ContainerFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FPrevious = SetSleepFunction([this](std::int64_t ms) { FPauses.push_back(ms); });
    }
    void TearDown() override { SetSleepFunction(FPrevious); }

    // Writes a file under the scratch folder (creating its folders) and returns its full name.
    std::string MakeFile(const std::string& relativeName, const std::string& bytes)
    {
        const std::string name = FDir.File(relativeName);
        std::filesystem::create_directories(std::filesystem::path(name).parent_path());
        WriteWholeFile(name, bytes);
        return name;
    }

    // A closed container of the format; format 5 stretches the password as little as readers
    // accept, so that tests stay quick.
    static std::unique_ptr<TContainer> NewTestContainer(const std::string& password, std::int64_t format)
    {
        if (format == SealedFormat) {
            return std::make_unique<TSealedContainer>(TContainerKey(password), sealed::MinIterations);
        }
        return std::make_unique<TRandomCryptoContainer>(TContainerKey(password));
    }

    // Writes a closed container at file (replacing what stood there): each file written below the
    // scratch folder and added from it, then the memo and the extra.
    void MakeContainer(const std::string& file, const std::string& password,
                       const std::vector<std::pair<std::string, std::string>>& files, const std::string& memo = {},
                       const std::string& extra = {}, std::int64_t format = ClassicFormat)
    {
        std::filesystem::remove(file);
        const std::unique_ptr<TContainer> container = NewTestContainer(password, format);
        container->OpenNew(file);
        for (const auto& [name, bytes] : files) {
            container->AddFile(MakeFile(name, bytes), FDir.Path());
        }
        if (!memo.empty()) {
            container->SetMemo(memo);
        }
        if (!extra.empty()) {
            container->SetExtra(extra);
        }
        container->Close();
    }

    // Every entry of an open container, each extracted to a file of its own and read back.
    TFileMap ExtractedFiles(TContainer& container);
    // The same of a container file, opened read-only with the password and closed again.
    TFileMap ExtractedFiles(const std::string& file, const std::string& password);

    TempDir FDir;
    std::vector<std::int64_t> FPauses;

private:
    TSleepFunction FPrevious;
};

// Bytes that differ from position to position, so that a misplaced byte shows.
std::string PatternBytes(std::size_t size, unsigned seed = 1);
// Every file below the folder by its name relative to it, with its contents.
TFileMap TreeOf(const std::string& folder);
// The little-endian 64-bit integer at offset.
std::int64_t Int64At(const std::string& bytes, std::size_t offset);
// Where the catalog of the container bytes begins: the header's locator without its password mask.
std::int64_t CatalogPosition(const std::string& bytes, const std::string& password);
// Whether someone who has the password finds the text anywhere in the container file: every
// position deciphered as if an entry or the catalog began there, as a scan for lost entries reads
// them, so that bytes no catalog lists (a deleted entry, an earlier catalog with its memo) count.
bool RecoverableText(const std::string& file, const std::string& password, const std::string& text);
// The message that refuses to write over a read-only file.
inline std::string ReadOnlyError(const std::string& file)
{
    return "File '" + file + "' is read only! Cannot open for overwrite.";
}
// The error text of a call that must fail with an EContainerError.
template <typename F> std::string ContainerErrorOf(F&& call)
{
    try {
        call();
    } catch (const EContainerError& error) {
        return error.what();
    }
    return "(no error)";
}
