// Writes the seed inputs of the fuzz targets into a corpus folder (normally fuzz/corpus):
//     make_seeds CORPUS-FOLDER
// Containers are made with the fuzz password; their random prefix and times differ from run to
// run, so every run gives new files with the same structure. Existing seeds are overwritten.

#include "FixedKeys.h"
#include "cipher/BrassCrypto.h"
#include "cipher/SealedString.h"
#include "container/CryptoContainer.h"
#include "container/ExtraString.h"
#include "container/RandomCryptoContainer.h"
#include "sealed/SealedContainer.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& name, const std::string& bytes)
{
    fs::create_directories(name.parent_path());
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + name.string());
    }
}

std::string ReadFile(const fs::path& name)
{
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Bytes that differ from position to position.
std::string Pattern(std::size_t size)
{
    std::string bytes(size, '\0');
    std::uint32_t state = 12345;
    for (char& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>(state >> 24);
    }
    return bytes;
}

// The source files the containers are made from, in a folder of their own.
class TSources
{
public:
    TSources()
    {
        std::string pattern = (fs::temp_directory_path() / "sealvane-seeds-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        FRoot = pattern;
        WriteFile(File("hello.txt"), "Hello, world.\n");
        WriteFile(File("docs/notes.txt"), "first line\nsecond line\n");
        WriteFile(File("docs/sub/deep.bin"), Pattern(64));
        WriteFile(File("docs/sub/empty"), "");
        WriteFile(File("\xC3\x9C"
                       "bersicht.txt"),
                  "\xC3\xBC");
        WriteFile(File(".hidden"), "h");
        WriteFile(File("two-chunks.bin"), Pattern(sealed::DefaultChunkSize + 1000));
    }
    ~TSources()
    {
        std::error_code ignored;
        fs::remove_all(FRoot, ignored);
    }

    std::string Root() const { return FRoot.string(); }
    std::string File(const std::string& relative) const { return (FRoot / relative).string(); }

private:
    fs::path FRoot;
};

// Writes entries with any stored names, as a damaged or hostile container may hold them; adding a
// real file refuses such names. The entry goes where AddFile would put it.
class THostileContainer : public TRandomCryptoContainer
{
public:
    using TRandomCryptoContainer::TRandomCryptoContainer;

    void AddStored(const std::string& baseFolder, const std::string& relativeFolder, const std::string& fileName,
                   const std::string& data)
    {
        FStream->SetPosition(FCatalogPos - 8); // over the end marker
        auto entry = std::make_shared<TFileInfo>();
        entry->FSize = static_cast<std::int64_t>(data.size());
        entry->FPath = TPathInfo::FromStored(baseFolder, relativeFolder, fileName, "");
        entry->FAttributes = 0x20;
        entry->FModified = 1600000000;
        entry->FAdded = 1600000000;
        AddEntry(entry);
        FStream->WriteBuffer(data.data(), entry->FSize);
        WriteEndMarker();
    }
};

// Removes the containers of an earlier run: a container is only ever created at a free name.
void RemoveSeedContainers(const fs::path& folder)
{
    for (const auto& item : fs::directory_iterator(folder)) {
        const std::string name = item.path().filename().string();
        if (name.starts_with("seed-") && item.path().extension() == ".xvt") {
            fs::remove(item.path());
        }
    }
}

using TNewContainer = std::function<std::unique_ptr<TContainer>()>;

// The seeds both formats have: empty; one file; a folder tree; memo and extra; a deleted entry.
void MakeCommonContainers(const fs::path& folder, const TSources& sources, const TNewContainer& newContainer)
{
    const std::string root = sources.Root();
    {
        const auto container = newContainer();
        container->OpenNew((folder / "seed-empty.xvt").string());
        container->Close();
    }
    {
        const auto container = newContainer();
        container->OpenNew((folder / "seed-one-file.xvt").string());
        container->AddFile(sources.File("hello.txt"), root);
        container->Close();
    }
    {
        const auto container = newContainer();
        container->OpenNew((folder / "seed-tree.xvt").string());
        container->AddFile(sources.File("docs/notes.txt"), root);
        container->AddFile(sources.File("docs/sub/deep.bin"), root);
        container->AddFile(sources.File("docs/sub/empty"), root);
        container->AddFile(sources.File("docs/notes.txt"), root); // the same name again
        container->AddFile(sources.File("\xC3\x9C"
                                        "bersicht.txt"),
                           root);
        // A sort is stored with the next change: format 5 commits each addition at once.
        container->GetCatalog().SortBy(TCatalog::ByFileName, false);
        container->AddFile(sources.File(".hidden"), root);
        container->Close();
    }
    {
        const auto container = newContainer();
        container->OpenNew((folder / "seed-memo-extra.xvt").string());
        container->AddFile(sources.File("hello.txt"), root);
        container->SetMemo("{\\rtf1\\ansi Gr\\'fc\\'dfe \\u8364? memo}");
        TExtraString extra(true);
        extra.SetField(TExtraString::SenderAddress, "someone@example.org");
        extra.SetNumber(TExtraString::Version1, 1);
        extra.SetNumber(TExtraString::Version3, 2);
        extra.SetField(TExtraString::VersionText, "1.0.2");
        container->SetExtra(extra.Serialize());
        container->Close();
    }
    {
        const auto container = newContainer();
        container->OpenNew((folder / "seed-deleted.xvt").string());
        container->AddFile(sources.File("docs/notes.txt"), root);
        container->AddFile(sources.File("hello.txt"), root);
        const TFileInfo first = *container->GetCatalog().Item(0);
        container->DeleteEntry(first);
        container->Close();
    }
}

void MakeContainers(const fs::path& folder, const TSources& sources)
{
    RemoveSeedContainers(folder);
    MakeCommonContainers(folder, sources,
                         [] { return std::make_unique<TRandomCryptoContainer>(TContainerKey(FuzzContainerPassword)); });
    const std::string root = sources.Root();
    {
        // A container whose stored catalog is marked invalid, so that opening it rebuilds the
        // catalog by walking the entries. The locator (format number, then the locator in plain
        // text) holds the check value alone.
        const fs::path name = folder / "seed-no-catalog.xvt";
        TRandomCryptoContainer container{TContainerKey(FuzzContainerPassword)};
        container.OpenNew(name.string());
        container.AddFile(sources.File("hello.txt"), root);
        container.AddFile(sources.File("docs/sub/deep.bin"), root);
        container.Close();
        std::string bytes = ReadFile(name);
        auto check =
            static_cast<std::uint64_t>(TBrassCrypto(TCryptoContainer::PaddedKey(FuzzContainerPassword)).GetCheck());
        for (std::size_t n = 8; n < 16; ++n) {
            bytes[n] = static_cast<char>(check & 0xFF);
            check >>= 8;
        }
        WriteFile(name, bytes);
    }
    {
        // Stored names that must not leave the extraction folder, and one good entry after them.
        THostileContainer container{TContainerKey(FuzzContainerPassword)};
        container.OpenNew((folder / "seed-hostile-names.xvt").string());
        container.AddStored("|base", "|..|..", "escaped.txt", "x");
        container.AddStored("|base", "", "..", "x");
        container.AddStored("|base", "|sub", "a/b", "x");
        container.AddStored("|base", std::string("|nul\0", 5) + "x", "n.txt", "x");
        container.AddStored("|base", "|.", "dot.txt", "x");
        container.AddStored("|base", "", "", "skipped");
        container.AddStored("|", "|ok", "good.txt", "good");
        container.Close();
    }
}

// Stores each file added under the next of the given stored names, as a hostile sender's format-5
// container holds them; adding a real file refuses such names.
class THostileSealedContainer : public TSealedContainer
{
public:
    explicit THostileSealedContainer(std::vector<TPathInfo> names)
        : TSealedContainer(TContainerKey(FuzzContainerPassword), sealed::MinIterations), FNames(std::move(names))
    {
    }

protected:
    void StoreEntry(const std::shared_ptr<TFileInfo>& entry, TStream& contents, std::int64_t doneBefore,
                    std::int64_t total) override
    {
        entry->FPath = FNames.at(FStored++);
        TSealedContainer::StoreEntry(entry, contents, doneBefore, total);
    }

private:
    std::vector<TPathInfo> FNames;
    std::size_t FStored = 0;
};

// Format 5 with the lowest stretching count a container may have, so that the fuzzer spends little
// time deriving keys.
void MakeSealedContainers(const fs::path& folder, const TSources& sources)
{
    RemoveSeedContainers(folder);
    MakeCommonContainers(folder, sources, [] {
        return std::make_unique<TSealedContainer>(TContainerKey(FuzzContainerPassword), sealed::MinIterations);
    });
    const std::string root = sources.Root();
    {
        // An entry of two chunks, the second one short.
        TSealedContainer container{TContainerKey(FuzzContainerPassword), sealed::MinIterations};
        container.OpenNew((folder / "seed-two-chunks.xvt").string());
        container.AddFile(sources.File("two-chunks.bin"), root);
        container.Close();
    }
    {
        // Stored names that must not leave the extraction folder, and one good entry after them.
        const std::vector<TPathInfo> names = {
            TPathInfo::FromStored("|base", "|..|..", "escaped.txt", ""),
            TPathInfo::FromStored("|base", "", "..", ""),
            TPathInfo::FromStored("|base", "|sub", "a/b", ""),
            TPathInfo::FromStored("|base", std::string("|nul\0", 5) + "x", "n.txt", ""),
            TPathInfo::FromStored("|base", "|.", "dot.txt", ""),
            TPathInfo::FromStored("|base", "", "", ""),
            TPathInfo::FromStored("|", "|ok", "good.txt", "")};
        THostileSealedContainer container(names);
        container.OpenNew((folder / "seed-hostile-names.xvt").string());
        for (std::size_t n = 0; n < names.size(); ++n) {
            container.AddFile(sources.File("hello.txt"), root);
        }
        container.Close();
    }
}

void MakeExtraStrings(const fs::path& folder)
{
    const std::string separator(1, TExtraString::Separator);
    WriteFile(folder / "seed-empty", "");
    TExtraString filled(true);
    filled.SetField(TExtraString::SenderAddress, "someone@example.org");
    filled.SetNumber(TExtraString::Flags, 3);
    filled.SetNumber(TExtraString::Version1, 1);
    filled.SetNumber(TExtraString::Version2, 0);
    filled.SetNumber(TExtraString::Version3, 2);
    filled.SetNumber(TExtraString::Version4, 17);
    filled.SetField(TExtraString::VersionText, "1.0.2 (build 17)");
    filled.SetField(3, "kept as read");
    WriteFile(folder / "seed-filled", filled.Serialize());
    WriteFile(folder / "seed-trailing-text", filled.Serialize() + "after the last separator");
    WriteFile(folder / "seed-short", "8" + separator + "0" + separator + separator);
    WriteFile(folder / "seed-not-a-number", "8" + separator + "x1" + separator + "a" + separator);
    TExtraString limits;
    limits.SetNumber(TExtraString::Flags, -1);
    limits.SetNumber(TExtraString::Version1, 2147483647);
    limits.SetNumber(TExtraString::Reserved2, -2147483647 - 1);
    WriteFile(folder / "seed-limits", limits.Serialize());
}

void MakeSealedStrings(const fs::path& folder)
{
    WriteFile(folder / "seed-checked", "\x01" + SealString("a mail password", FuzzSealKey, true));
    WriteFile(folder / "seed-unchecked", std::string(1, '\0') + SealString("a mail password", FuzzSealKey, false));
    WriteFile(folder / "seed-other-key", "\x01" + SealString("a mail password", "another key", true));
    WriteFile(folder / "seed-not-base64", "\x01!!*==\n\t~");
    WriteFile(folder / "seed-short", "\x01QUJD");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS-FOLDER\n", argv[0]);
        return 2;
    }
    try {
        const fs::path corpus = argv[1];
        const TSources sources;
        fs::create_directories(corpus / "fuzz_container");
        MakeContainers(corpus / "fuzz_container", sources);
        fs::create_directories(corpus / "fuzz_sealed");
        MakeSealedContainers(corpus / "fuzz_sealed", sources);
        MakeExtraStrings(corpus / "fuzz_extra_string");
        MakeSealedStrings(corpus / "fuzz_unseal");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_seeds: %s\n", error.what());
        return 1;
    }
    return 0;
}
