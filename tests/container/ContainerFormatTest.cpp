#include "ContainerFixture.h"
#include "container/ContainerError.h"
#include "container/PathError.h"

#include <filesystem>

namespace {

// The primitive encodings of the base container, reachable from a test.
class TEncodingProbe : public TBasicContainer
{
public:
    using TBasicContainer::CloseStream;
    using TBasicContainer::CreateFile;
    using TBasicContainer::FStream;
    using TBasicContainer::ReadInt64;
    using TBasicContainer::ReadString;
    using TBasicContainer::WriteInt64;
    using TBasicContainer::WriteString;
};

// A container that can store entries with any stored path, as a hostile or broken writer would.
class THostileContainer : public TRandomCryptoContainer
{
public:
    using TRandomCryptoContainer::TRandomCryptoContainer;

    void AddStoredEntry(TPathInfo path, const std::string& data, std::int64_t claimedSize)
    {
        FStream->SetPosition(FCatalogPos - 8);
        auto entry = std::make_shared<TFileInfo>();
        entry->FSize = claimedSize;
        entry->FPath = std::move(path);
        AddEntry(entry);
        FStream->WriteBuffer(data.data(), static_cast<std::int64_t>(data.size()));
        WriteEndMarker();
    }
};

using ContainerFormatTest = ContainerFixture;

std::vector<std::string> FilesBelow(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::recursive_directory_iterator(folder)) {
        names.push_back(item.path().string());
    }
    return names;
}

} // namespace

TEST_F(ContainerFormatTest, IntegersAndStringsAreLittleEndianWithLengthPrefix)
{
    const std::string file = FDir.File("encodings.bin");
    TEncodingProbe probe;
    probe.CreateFile(file);
    probe.WriteInt64(0x0102030405060708);
    probe.WriteString("");
    probe.WriteString("abc");
    probe.WriteInt64(-5);
    probe.WriteInt64(std::int64_t{1} << 40);
    probe.FStream->SetPosition(0);
    EXPECT_EQ(probe.ReadInt64(), 0x0102030405060708);
    EXPECT_EQ(probe.ReadString(), "");
    EXPECT_EQ(probe.ReadString(), "abc");
    EXPECT_EQ(ContainerErrorOf([&] { probe.ReadString(); }), "Illegal string size '-5'!");
    // A length beyond the end of the file is refused before anything is allocated.
    EXPECT_EQ(ContainerErrorOf([&] { probe.ReadString(); }), "String incomplete: is '0', sb: '1099511627776'!");
    EXPECT_EQ(ContainerErrorOf([&] { probe.ReadInt64(); }), "Illegal long size '0'!");
    probe.CloseStream();

    const std::string bytes = ReadWholeFile(file);
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x08\x07\x06\x05\x04\x03\x02\x01", 8));
    EXPECT_EQ(bytes.substr(8, 8), std::string(8, '\0')) << "an empty string is its length alone";
    EXPECT_EQ(bytes.substr(16, 11), std::string("\x03\0\0\0\0\0\0\0abc", 11));
}

TEST_F(ContainerFormatTest, PlainContainerCreatesAndExtractsATree)
{
    const std::string base = FDir.File("tree");
    MakeFile("tree/top.txt", "top");
    MakeFile("tree/a/b/deep.bin", PatternBytes(65000));
    MakeFile("tree/a/empty", "");
    std::vector<TPathInfo> paths;
    for (const char* name : {"tree/top.txt", "tree/a/b/deep.bin", "tree/a/empty"}) {
        TPathInfo path;
        path.SetFrom(FDir.File(name), base);
        paths.push_back(path);
    }
    TEncodingProbe container;
    container.CreateWith(FDir.File("plain.bin"), paths);
    const auto catalog = container.ExtractAllFrom(FDir.File("plain.bin"), FDir.File("out"));
    EXPECT_EQ(catalog->Count(), 3);
    EXPECT_EQ(ReadWholeFile(FDir.File("out/a/b/deep.bin")), PatternBytes(65000));
    EXPECT_EQ(ReadWholeFile(FDir.File("out/top.txt")), "top");
    EXPECT_TRUE(std::filesystem::exists(FDir.File("out/a/empty")));
}

TEST_F(ContainerFormatTest, HostileNamesNeverLeadOutOfTheTargetFolder)
{
    const std::string file = FDir.File("hostile.xvt");
    THostileContainer writer("pw");
    writer.OpenNew(file);
    writer.AddStoredEntry(TPathInfo::FromStored("|base", "|..|..", "escaped.txt", ""), "evil", 4);
    writer.AddStoredEntry(TPathInfo::FromStored("|base", "", "..", ""), "evil", 4);
    writer.AddStoredEntry(TPathInfo::FromStored("|base", "|sub", "a/../../b", ""), "evil", 4);
    writer.AddStoredEntry(TPathInfo::FromStored("|base", "|.", "dot", ""), "evil", 4);
    writer.Close();

    const std::string target = FDir.File("target/inner");
    std::filesystem::create_directories(target);
    TRandomCryptoContainer reader("pw");
    reader.Open(file);
    ASSERT_EQ(reader.GetCatalog().Count(), 4);
    for (int index = 0; index < 4; ++index) {
        EXPECT_THROW(reader.ExtractFile(index, target), EPathError) << "entry " << index;
    }
    EXPECT_EQ(ContainerErrorOf([&] { reader.ExtractFile(0, ""); }), "Invalid folder!");
    reader.Close();
    EXPECT_TRUE(FilesBelow(FDir.File("target")) == std::vector<std::string>{target}) << "nothing was written";
    EXPECT_FALSE(std::filesystem::exists(FDir.File("escaped.txt")));
}

TEST_F(ContainerFormatTest, StoredSizeBeyondTheFileIsAnErrorNotAShortFile)
{
    const std::string file = FDir.File("short.xvt");
    THostileContainer writer("pw");
    writer.OpenNew(file);
    writer.AddStoredEntry(TPathInfo::FromStored("|base", "", "claims-more.bin", ""), "only this", 1 << 30);
    writer.Close();

    TRandomCryptoContainer reader("pw");
    reader.Open(file);
    ASSERT_EQ(reader.GetCatalog().Count(), 1);
    const std::string error = ContainerErrorOf([&] { reader.ExtractFile(0, FDir.File("out")); });
    EXPECT_NE(error.find("String incomplete"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(FDir.File("out/claims-more.bin")));
    EXPECT_EQ(reader.RegenCatalog(false).Count(), 0) << "the scan stops before an entry that runs past the end";
    reader.Close();
}

TEST_F(ContainerFormatTest, HugeStoredMemoLengthFallsBackToTheScan)
{
    const std::string file = FDir.File("memo.xvt");
    MakeContainer(file, "pw", {});
    // The empty catalog's plain text is known (sort code -1, -1, memo length 0, extra length 0,
    // -1), so its keystream is too; patch the memo length to 2^50.
    std::string bytes = ReadWholeFile(file);
    const std::size_t memoLength = bytes.size() - 24;
    for (int n = 0; n < 8; ++n) {
        bytes[memoLength + n] = static_cast<char>(bytes[memoLength + n] ^ ((std::int64_t{1} << 50) >> (8 * n)));
    }
    WriteWholeFile(file, bytes);

    TRandomCryptoContainer container("pw");
    TCatalog& catalog = container.OpenReadOnly(file);
    EXPECT_TRUE(catalog.Regenerated());
    EXPECT_EQ(catalog.Count(), 0);
    EXPECT_EQ(container.GetMemo(), "");
    container.Close();
}

TEST_F(ContainerFormatTest, ExtractingOntoAFolderOfTheSameNameFailsWithATableMessage)
{
    const std::string file = FDir.File("folder.xvt");
    TRandomCryptoContainer container("pw");
    container.OpenNew(file);
    container.AddFile(MakeFile("src/x", "content"), FDir.File("src"));
    std::filesystem::create_directories(FDir.File("out/x"));
    EXPECT_EQ(ContainerErrorOf([&] { container.ExtractFile(0, FDir.File("out")); }),
              "File '" + FDir.File("out/x") + "' is read only! Cannot open for overwrite.");
    container.Close();
    EXPECT_TRUE(FilesBelow(FDir.File("out")) == std::vector<std::string>{FDir.File("out/x")})
        << "the folder stays and no temporary file is left";
}
