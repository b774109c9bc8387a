// Damaged and hostile containers: cut at every length, and with bytes flipped at every position
// of the header and the catalog (every position of a format-5 file). Each must open or fail with a
// message of the table; never crash, hang, or allocate memory in proportion to a stored length
// instead of the file; and a format-5 file never gives a byte other than the ones stored. This
// program counts every allocation, which is why it runs apart from the other tests.
#include "ContainerFixture.h"
#include "sealed/ContainerFormats.h"
#include "sealed/SealedContainer.h"
#include "CountingAllocator.h"
#include "language/FormatText.h"
#include "language/Messages.h"
#include "language/MsgText.h"

#include <algorithm>
#include <string_view>

namespace {

// Working buffers of the streams and the copy loop, whatever the file holds.
constexpr std::size_t FixedBuffers = 256 * 1024;

// Whether the text reads as the message pattern: "%s" and "%0:s" stand for any text, "%d" for a
// whole number, everything else for itself.
bool Reads(std::string_view text, std::string_view pattern)
{
    if (pattern.starts_with("%0:s") || pattern.starts_with("%s")) {
        const std::string_view rest = pattern.substr(pattern[1] == 's' ? 2 : 4);
        for (std::size_t taken = 0; taken <= text.size(); ++taken) {
            if (Reads(text.substr(taken), rest)) {
                return true;
            }
        }
        return false;
    }
    if (pattern.starts_with("%d")) {
        const std::size_t sign = text.starts_with('-') ? 1 : 0;
        const std::size_t digits = std::min(text.find_first_not_of("0123456789", sign), text.size());
        return digits > sign && Reads(text.substr(digits), pattern.substr(2));
    }
    if (pattern.empty() || text.empty()) {
        return pattern.empty() && text.empty();
    }
    return text[0] == pattern[0] && Reads(text.substr(1), pattern.substr(1));
}

// Whether the text is an English message of the table, with anything in its placeholders.
bool IsTableMessage(const std::string& text)
{
    const auto table = MessageTable();
    return std::any_of(table.begin(), table.end(),
                       [&text](const TMessage* message) { return Reads(text, message->Text[LangEnglish]); });
}

class HostileContainerTest : public ContainerFixture
{
protected:
    void SetUp() override
    {
        ContainerFixture::SetUp();
        const std::string file = FDir.File("healthy.xvt");
        MakeContainer(file, "pw", HealthyFiles, "the memo", "the extra");
        FHealthy = ReadWholeFile(file);
    }

    // Opens the bytes as a container and extracts everything; any failure must be a table text.
    // With the stored files given, whatever is extracted must be one of them, byte for byte, and
    // the memo the stored one or none.
    void OpenDamaged(const std::string& bytes, const std::string& label, TContainer& reader, const TFileMap* stored = nullptr)
    {
        const std::string file = FDir.File("damaged.xvt");
        WriteWholeFile(file, bytes);
        CountingAllocator::Reset();
        try {
            reader.OpenReadOnly(file);
            for (int index = 0; index < reader.GetCatalog().Count(); ++index) {
                try {
                    reader.ExtractFile(index, FDir.File("out"));
                } catch (const std::exception& error) {
                    EXPECT_TRUE(IsTableMessage(error.what())) << label << ": " << error.what();
                }
            }
            const std::string memo = reader.GetMemo();
            reader.Close();
            ++FOpened;
            if (stored != nullptr) {
                EXPECT_TRUE(memo == "the memo" || memo.empty()) << label;
                std::filesystem::create_directories(FDir.File("out"));
                for (const auto& [name, bytesOut] : TreeOf(FDir.File("out"))) {
                    EXPECT_TRUE(stored->contains(name) && stored->at(name) == bytesOut) << label << ": " << name;
                }
            }
        } catch (const std::exception& error) {
            EXPECT_TRUE(IsTableMessage(error.what())) << label << ": " << error.what();
            EXPECT_TRUE(reader.IsClosed()) << label;
        }
        EXPECT_LE(CountingAllocator::Largest(), bytes.size() + FixedBuffers) << label;
        EXPECT_TRUE(ReadWholeFile(file) == bytes) << label << ": reading changes nothing";
        std::filesystem::remove_all(FDir.File("out"));
    }
    void OpenDamaged(const std::string& bytes, const std::string& label) { OpenDamaged(bytes, label, FReader); }

    static inline const std::vector<std::pair<std::string, std::string>> HealthyFiles = {
        {"src/a.txt", "alpha"}, {"src/sub/b.bin", PatternBytes(700)}};
    std::string FHealthy;
    TRandomCryptoContainer FReader{TContainerKey("pw")};
    int FOpened = 0;
};

// The offsets at which a format-5 file holds a stream of the kind ("SV5E" or "SV5C"): a stream's
// prologue is plain.
std::vector<std::size_t> StreamsOf(const std::string& bytes, std::string_view kind)
{
    std::vector<std::size_t> found;
    for (std::size_t at = bytes.find(kind); at != std::string::npos; at = bytes.find(kind, at + 1)) {
        found.push_back(at);
    }
    return found;
}

} // namespace

TEST_F(HostileContainerTest, CutAtEveryLength)
{
    ASSERT_FALSE(IsTableMessage("basic_string::_M_create")) << "the patterns must not take any text";
    for (std::size_t length = 0; length <= FHealthy.size(); ++length) {
        OpenDamaged(FHealthy.substr(0, length), "cut at " + std::to_string(length));
    }
    EXPECT_GT(FOpened, 1) << "cuts inside the catalog still open by scanning";
}

TEST_F(HostileContainerTest, BytesFlippedInTheHeaderAndTheCatalog)
{
    const auto catalogPos = static_cast<std::size_t>(CatalogPosition(FHealthy, "pw"));
    ASSERT_GT(catalogPos, 24u);
    ASSERT_LT(catalogPos, FHealthy.size());
    const std::size_t headerEnd = 24 + 255 + 8;
    for (std::size_t position = 0; position < FHealthy.size(); ++position) {
        if (position >= headerEnd && position < catalogPos) {
            continue;
        }
        for (const unsigned char mask : {0xFF, 0x01, 0x80}) {
            std::string bytes = FHealthy;
            bytes[position] = static_cast<char>(bytes[position] ^ mask);
            OpenDamaged(bytes, "flip " + std::to_string(mask) + " at " + std::to_string(position));
        }
    }
    EXPECT_GT(FOpened, 0);
}

// The last entry's header and its catalog entry claim exactly one byte more than the file holds
// after it (the cipher is a plain XOR stream, so flipping the enciphered bits flips the stored
// size): refused with the size message, not read short.
TEST_F(HostileContainerTest, EntryOneByteLongerThanTheFile)
{
    const std::string file = FDir.File("long.xvt");
    WriteWholeFile(file, FHealthy);
    const TCatalog& catalog = FReader.OpenReadOnly(file);
    int index = 0;
    std::int64_t listedBefore = 0; // the catalog lists the entries in the order they are stored
    for (int n = 1; n < catalog.Count(); ++n) {
        index = catalog.Item(n)->FPosition > catalog.Item(index)->FPosition ? n : index;
    }
    for (int n = 0; n < catalog.Count(); ++n) {
        listedBefore += n != index ? catalog.Item(n)->FHeaderLength : 0;
    }
    const TCatalog::TEntry last = catalog.Item(index);
    FReader.Close();
    const std::int64_t left = static_cast<std::int64_t>(FHealthy.size()) - last->FPosition - last->FHeaderLength;
    const auto change = static_cast<std::uint64_t>(last->FSize ^ (left + 1));
    std::string bytes = FHealthy;
    for (const std::int64_t sizeField : {last->FPosition, CatalogPosition(FHealthy, "pw") + 8 + listedBefore}) {
        for (std::size_t k = 0; k < 8; ++k) {
            bytes[static_cast<std::size_t>(sizeField) + k] ^= static_cast<char>(change >> (8 * k));
        }
    }
    WriteWholeFile(file, bytes);
    FReader.OpenReadOnly(file);
    try {
        FReader.ExtractFile(index, FDir.File("out"));
        ADD_FAILURE() << "an entry longer than the file was extracted";
    } catch (const EContainerError& error) {
        EXPECT_EQ(error.what(), FormatText(MsgText(msg::StringIncomplete), {left, left + 1}));
    }
}

// A format-5 container whose sealed header was damaged, so that opening finds its streams by
// scanning the file, followed by 64 KiB holding a stream marker every four bytes: the scan reads
// the file once, not once more for each marker, and still finds the entry.
TEST_F(HostileContainerTest, AScanOverAMarkerEveryFourBytesReadsTheFileOnce)
{
    const std::string file = FDir.File("sealed.xvt");
    {
        TSealedContainer writer(TContainerKey("pw"), sealed::MinIterations);
        writer.OpenNew(file);
        writer.AddFile(MakeFile("src/a.txt", "alpha"), FDir.Path());
        writer.Close();
    }
    std::string bytes = ReadWholeFile(file);
    bytes[sealed::HeaderPlainSize] ^= 1;
    TSealedContainer reader(TContainerKey("pw"));
    for (const std::string marker : {"SV5E", "SV5C"}) {
        std::string markers;
        while (markers.size() < 64 * 1024) {
            markers += marker;
        }
        WriteWholeFile(file, bytes + markers);
        CountingAllocator::Reset();
        EXPECT_EQ(reader.OpenReadOnly(file).Count(), 1) << marker;
        // A refused candidate costs its reader and its message, not a read of the rest of the file.
        EXPECT_LE(CountingAllocator::Total(), markers.size() / marker.size() * 4096) << marker;
        reader.Close();
    }
}

// A catalog that lists "invoice.pdf" over an entry header that names another file, folder, size
// or time (in format 5 written by a sender who has the password; there also a catalog naming
// another stream than the one at the listed place): the entry is refused, naming it as listed, by
// both extractions and by a copy, with nothing written for it; the honest entry beside it is
// extracted.
TEST_F(HostileContainerTest, AnEntryWhoseHeaderIsNotItsListedEntryIsRefusedWithNothingWritten)
{
    const TPathInfo invoice = TPathInfo::FromStored("|base", "", "invoice.pdf", "");
    const auto listAsInvoice = [&](TFileInfo& entry) { entry.FPath = invoice; };
    const std::pair<TPathInfo, std::function<void(TFileInfo&)>> hostile[] = {
        {TPathInfo::FromStored("|base", "|.config|autostart", "update.desktop", ""), listAsInvoice},
        {TPathInfo::FromStored("|base", "|.config", "invoice.pdf", ""), listAsInvoice},
        {invoice, [](TFileInfo& entry) { entry.FSize -= 1; }},
        {invoice, [](TFileInfo& entry) { entry.FModified = 1700000000; }},
        {invoice, {}}};
    const std::string file = FDir.File("hostile.xvt"), home = FDir.File("home"), copy = FDir.File("copy.xvt");
    const std::string refusal = FormatText(MsgText(msg::AttachmentDoesNotMatchList), {std::string("invoice.pdf")});
    const std::string evil = "[Desktop Entry]\nExec=sh -c evil\n";
    TSealedContainer sealedReader{TContainerKey("pw")};
    for (const std::int64_t format : {ClassicFormat, SealedFormat}) {
        for (const auto& [header, relist] : hostile) {
            const std::string label = std::to_string(format) + ", row " + std::to_string(&header - &hostile[0].first);
            std::filesystem::remove(file);
            if (format == ClassicFormat && !relist) {
                continue; // format 4 names no stream in its catalog
            }
            // The last row keeps the listed fields and names another stream.
            WriteHostileContainer(file, "pw", format,
                                  {{TPathInfo::FromStored("|base", "", "fine.txt", ""), "good"},
                                   {header, evil, [&](TFileInfo& listed, std::string& prefix) {
                                        relist ? relist(listed) : void(prefix = std::string(8, 'x'));
                                    }}});
            TContainer& reader = format == SealedFormat ? static_cast<TContainer&>(sealedReader) : FReader;
            std::filesystem::create_directories(home);
            const TCatalog& catalog = reader.OpenReadOnly(file);
            const int listed = catalog.Item(0)->FPath.FileName() == "invoice.pdf" ? 0 : 1;
            EXPECT_EQ(ContainerErrorOf([&] { reader.ExtractFile(listed, home); }), refusal) << label;
            EXPECT_EQ(ContainerErrorOf([&] { reader.ExtractFileTo(listed, home + "/chosen.pdf"); }), refusal) << label;
            EXPECT_TRUE(std::filesystem::is_empty(home)) << label << ": no file and no folder";
            reader.ExtractFile(1 - listed, home);
            EXPECT_EQ(TreeOf(home), (TFileMap{{"fine.txt", "good"}})) << label;
            reader.Close();
            EXPECT_EQ(ContainerErrorOf(
                          [&] { CopyContainer(file, TContainerKey("pw"), copy, copy + ".tmp", TContainerKey("pw")); }),
                      refusal)
                << label;
            EXPECT_FALSE(std::filesystem::exists(copy) || std::filesystem::exists(copy + ".tmp")) << label;
            std::filesystem::remove_all(home);
        }
    }

    // An honest name that the stored text coding reads differently once the catalog is written
    // again (SettledStoredText): header and catalog still name one file, written as listed.
    MakeContainer(file, "pw", {{"ÃƒÂ©.txt", "honest"}});
    FReader.Open(file);
    FReader.SetMemo("changed");
    FReader.Close();
    FReader.OpenReadOnly(file);
    FReader.ExtractFile(0, home);
    FReader.Close();
    EXPECT_EQ(TreeOf(home), (TFileMap{{"é.txt", "honest"}}));
}

TEST_F(HostileContainerTest, FormatFiveFlippedOrCutAnywhereIsRefusedOrReadAsStored)
{
    const std::string file = FDir.File("sealed.xvt");
    MakeContainer(file, "pw", HealthyFiles, "the memo", "the extra", SealedFormat);
    const std::string healthy = ReadWholeFile(file);
    const TFileMap stored = {{"src/a.txt", "alpha"}, {"src/sub/b.bin", PatternBytes(700)}};
    // One object for all: it keeps the keys of a salt and count it has seen.
    TSealedContainer reader{TContainerKey("pw")};
    for (std::size_t position = 0; position < healthy.size(); ++position) {
        std::string bytes = healthy;
        bytes[position] = static_cast<char>(bytes[position] ^ 0x01);
        OpenDamaged(bytes, "flip at " + std::to_string(position), reader, &stored);
    }
    const int openedAfterFlips = FOpened;
    for (std::size_t length = 0; length < healthy.size(); ++length) {
        OpenDamaged(healthy.substr(0, length), "cut at " + std::to_string(length), reader, &stored);
    }
    EXPECT_GT(openedAfterFlips, 0) << "a flip in a catalog or a dead byte still opens";
    EXPECT_GT(FOpened, openedAfterFlips) << "a cut after the last entry still opens by scanning";
}

// Streams and chunks that are whole and authentic, but not where the catalog put them: swapped
// chunks of one entry, a chunk or a whole entry from another container with the same password,
// two entries of one container swapped. Each is listed, and refused when extracted.
TEST_F(HostileContainerTest, FormatFiveChunksAndEntriesOutOfPlaceAreRefusedWithNothingWritten)
{
    const std::string large = PatternBytes(140000, 3); // three chunks of 64 KiB
    const std::vector<std::pair<std::string, std::string>> files = {{"x.txt", "same"}, {"y.txt", "size"}, {"z.bin", large}};
    MakeContainer(FDir.File("one.xvt"), "pw", files, {}, {}, SealedFormat);
    MakeContainer(FDir.File("two.xvt"), "pw", files, {}, {}, SealedFormat);
    const std::string one = ReadWholeFile(FDir.File("one.xvt"));
    const std::string two = ReadWholeFile(FDir.File("two.xvt"));
    const std::vector<std::size_t> entries = StreamsOf(one, "SV5E");
    ASSERT_EQ(entries, StreamsOf(two, "SV5E")) << "the same files take the same places";
    ASSERT_EQ(entries.size(), 3u);
    const std::size_t chunk = 20 + 65536 + 16;
    const std::size_t firstChunk = entries[2] + 20;
    const std::size_t xLength = entries[1] - entries[0];
    const auto swapped = [&](std::size_t a, std::size_t b, std::size_t length) {
        std::string bytes = one;
        std::copy_n(one.begin() + static_cast<std::ptrdiff_t>(a), length, bytes.begin() + static_cast<std::ptrdiff_t>(b));
        std::copy_n(one.begin() + static_cast<std::ptrdiff_t>(b), length, bytes.begin() + static_cast<std::ptrdiff_t>(a));
        return bytes;
    };
    const auto fromTwo = [&](std::size_t at, std::size_t length) {
        std::string bytes = one;
        std::copy_n(two.begin() + static_cast<std::ptrdiff_t>(at), length, bytes.begin() + static_cast<std::ptrdiff_t>(at));
        return bytes;
    };
    const struct
    {
        const char* Label;
        std::string Bytes;
        std::vector<std::string> Refused;
    } cases[] = {
        {"two chunks of an entry swapped", swapped(firstChunk, firstChunk + chunk - 20, chunk - 20), {"z.bin"}},
        {"a chunk from the other container", fromTwo(firstChunk + chunk - 20, chunk - 20), {"z.bin"}},
        {"an entry from the other container", fromTwo(entries[0], xLength), {"x.txt"}},
        {"two entries swapped", swapped(entries[0], entries[1], xLength), {"x.txt", "y.txt"}},
    };
    TSealedContainer reader{TContainerKey("pw")};
    for (const auto& [label, bytes, refused] : cases) {
        SCOPED_TRACE(label);
        WriteWholeFile(FDir.File("moved.xvt"), bytes);
        const TCatalog& catalog = reader.OpenReadOnly(FDir.File("moved.xvt"));
        ASSERT_FALSE(catalog.Regenerated());
        std::vector<std::string> failed;
        for (int index = 0; index < catalog.Count(); ++index) {
            const std::string name = catalog.Item(index)->FPath.FileName();
            try {
                reader.ExtractFile(index, FDir.File("out"));
                EXPECT_EQ(ReadWholeFile(FDir.File("out/" + name)), std::string(files[static_cast<std::size_t>(name[0] - 'x')].second));
            } catch (const EContainerError& error) {
                failed.push_back(name);
                EXPECT_TRUE(IsTableMessage(error.what())) << error.what();
                EXPECT_FALSE(std::filesystem::exists(FDir.File("out/" + name)));
            }
        }
        std::sort(failed.begin(), failed.end());
        EXPECT_EQ(failed, refused);
        reader.Close();
        std::filesystem::remove_all(FDir.File("out"));
    }
}

// A damaged header sends the reader scanning for streams; a stranger's file of false stream starts,
// each claiming a whole chunk that fits in the file, costs work in proportion to the file's size,
// not to the number of starts times a chunk: each start tried is charged what it claims.
TEST_F(HostileContainerTest, FormatFiveScanOfFalseStreamStartsCostsWorkOfTheFileSize)
{
    const std::string file = FDir.File("scan.xvt");
    MakeContainer(file, "pw", {{"a.txt", "alpha"}}, {}, {}, SealedFormat);
    std::string bytes = ReadWholeFile(file);
    bytes[100] ^= 0x01; // the sealed header body: recovery by scanning
    const std::size_t starts = (1 << 20) / 24;
    for (std::size_t n = 0; n < starts; ++n) {
        bytes += "SV5E" + std::string(8, 'r') + std::string("\0\0\1\0\0\0\0\0", 8) + "fill";
    }
    bytes += std::string(65536 + 16, 'f');
    TSealedContainer reader{TContainerKey("pw")};
    WriteWholeFile(file, bytes);
    CountingAllocator::Reset();
    EXPECT_TRUE(reader.OpenReadOnly(file).Regenerated());
    // Every start tried would take a chunk's buffer: 43,690 of them, 2.8 GB in all.
    EXPECT_LE(CountingAllocator::Total(), 4 * bytes.size());
    EXPECT_EQ(ExtractedFiles(reader), (TFileMap{{"a.txt", "alpha"}})) << "the real entry comes first";
    reader.Close();
}
