#include "ContainerFixture.h"
#include "container/PathError.h"

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

std::ptrdiff_t CountBelow(const std::string& folder)
{
    return std::distance(std::filesystem::recursive_directory_iterator(folder), {});
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
    // The integer, the empty string as its length alone, and "abc" after its length.
    EXPECT_EQ(ReadWholeFile(file).substr(0, 27), std::string("\x08\x07\x06\x05\x04\x03\x02\x01"
                                                             "\0\0\0\0\0\0\0\0"
                                                             "\x03\0\0\0\0\0\0\0abc",
                                                             27));
}

TEST_F(ContainerFormatTest, PlainContainerCreatesAndExtractsATree)
{
    const TFileMap tree = {{"top.txt", "top"}, {"a/b/deep.bin", PatternBytes(65000)}, {"a/empty", ""}};
    std::vector<TPathInfo> paths;
    for (const auto& [name, bytes] : tree) {
        paths.emplace_back().SetFrom(MakeFile("tree/" + name, bytes), FDir.File("tree"));
    }
    TEncodingProbe container;
    container.CreateWith(FDir.File("plain.bin"), paths);
    EXPECT_EQ(container.ExtractAllFrom(FDir.File("plain.bin"), FDir.File("out"))->Count(), 3);
    EXPECT_TRUE(TreeOf(FDir.File("out")) == tree);
}

TEST_F(ContainerFormatTest, HostileEntriesNeverLeadOutOfTheTargetOrEndShort)
{
    const std::string file = FDir.File("hostile.xvt"), target = FDir.File("target/inner");
    THostileContainer writer("pw");
    writer.OpenNew(file);
    writer.AddStoredEntry(TPathInfo::FromStored("|base", "", "claims-more.bin", ""), "only this", 1 << 30);
    writer.AddStoredEntry(TPathInfo::FromStored("|base", "|..|..", "escaped.txt", ""), "evil", 4);
    writer.AddStoredEntry(TPathInfo::FromStored("|base", "", "..", ""), "evil", 4);
    writer.AddStoredEntry(TPathInfo::FromStored("|base", "|sub", "a/../../b", ""), "evil", 4);
    writer.AddStoredEntry(TPathInfo::FromStored("|base", "|.", "dot", ""), "evil", 4);
    writer.Close();

    std::filesystem::create_directories(target);
    TRandomCryptoContainer reader("pw");
    ASSERT_EQ(reader.Open(file).Count(), 5);
    for (int index = 0; index < 5; ++index) {
        if (reader.GetCatalog().Item(index)->FPath.FileName() == "claims-more.bin") {
            const std::string error = ContainerErrorOf([&] { reader.ExtractFile(index, target); });
            EXPECT_NE(error.find("String incomplete"), std::string::npos) << error;
        } else {
            EXPECT_THROW(reader.ExtractFile(index, target), EPathError) << "entry " << index;
        }
    }
    EXPECT_EQ(ContainerErrorOf([&] { reader.ExtractFile(0, ""); }), "Invalid folder!");
    EXPECT_EQ(CountBelow(FDir.File("target")), 1) << "nothing was written";
    EXPECT_FALSE(std::filesystem::exists(FDir.File("escaped.txt")));
    EXPECT_EQ(reader.RegenCatalog(false).Count(), 0) << "the scan stops before an entry that runs past the end";
    reader.Close();
}

TEST_F(ContainerFormatTest, ExtractingOntoAFolderOfTheSameNameFailsWithATableMessage)
{
    TRandomCryptoContainer container("pw");
    container.OpenNew(FDir.File("folder.xvt"));
    container.AddFile(MakeFile("src/x", "content"), FDir.File("src"));
    std::filesystem::create_directories(FDir.File("out/x"));
    EXPECT_EQ(ContainerErrorOf([&] { container.ExtractFile(0, FDir.File("out")); }),
              "File '" + FDir.File("out/x") + "' is read only! Cannot open for overwrite.");
    container.Close();
    EXPECT_EQ(CountBelow(FDir.File("out")), 1) << "the folder stays and no temporary file is left";
}
