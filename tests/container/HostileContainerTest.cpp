// Damaged and hostile containers: cut at every length, and with bytes flipped at every position
// of the header and the catalog. Each must open or fail with a message of the table; never crash,
// hang, or allocate memory in proportion to a stored length instead of the file. This program
// counts every allocation, which is why it runs apart from the other tests.
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
        MakeContainer(file, "pw", {{"src/a.txt", "alpha"}, {"src/sub/b.bin", PatternBytes(700)}}, "the memo",
                      "the extra");
        FHealthy = ReadWholeFile(file);
    }

    // Opens the bytes as a container and extracts everything; any failure must be a table text.
    void OpenDamaged(const std::string& bytes, const std::string& label)
    {
        const std::string file = FDir.File("damaged.xvt");
        WriteWholeFile(file, bytes);
        CountingAllocator::Reset();
        try {
            FReader.OpenReadOnly(file);
            for (int index = 0; index < FReader.GetCatalog().Count(); ++index) {
                try {
                    FReader.ExtractFile(index, FDir.File("out"));
                } catch (const std::exception& error) {
                    EXPECT_TRUE(IsTableMessage(error.what())) << label << ": " << error.what();
                }
            }
            FReader.GetMemo();
            FReader.Close();
            ++FOpened;
        } catch (const std::exception& error) {
            EXPECT_TRUE(IsTableMessage(error.what())) << label << ": " << error.what();
            EXPECT_TRUE(FReader.IsClosed()) << label;
        }
        EXPECT_LE(CountingAllocator::Largest(), bytes.size() + FixedBuffers) << label;
        std::filesystem::remove_all(FDir.File("out"));
    }

    std::string FHealthy;
    TRandomCryptoContainer FReader{TContainerKey("pw")};
    int FOpened = 0;
};

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
// or time: the entry is refused, naming it as listed, by both extractions and by a copy, with
// nothing written for it; the honest entry beside it is extracted.
TEST_F(HostileContainerTest, AnEntryWhoseHeaderIsNotItsListedEntryIsRefusedWithNothingWritten)
{
    const TPathInfo invoice = TPathInfo::FromStored("|base", "", "invoice.pdf", "");
    const auto listAsInvoice = [&](TFileInfo& entry) { entry.FPath = invoice; };
    const std::pair<TPathInfo, std::function<void(TFileInfo&)>> hostile[] = {
        {TPathInfo::FromStored("|base", "|.config|autostart", "update.desktop", ""), listAsInvoice},
        {TPathInfo::FromStored("|base", "|.config", "invoice.pdf", ""), listAsInvoice},
        {invoice, [](TFileInfo& entry) { entry.FSize -= 1; }},
        {invoice, [](TFileInfo& entry) { entry.FModified = 1700000000; }}};
    const std::string file = FDir.File("hostile.xvt"), home = FDir.File("home"), copy = FDir.File("copy.xvt");
    const std::string refusal = FormatText(MsgText(msg::AttachmentDoesNotMatchList), {std::string("invoice.pdf")});
    for (const auto& [header, relist] : hostile) {
        const std::string label = "row " + std::to_string(&header - &hostile[0].first);
        std::filesystem::remove(file);
        {
            THostileContainer writer(TContainerKey("pw"));
            writer.OpenNew(file);
            writer.AddStoredEntry(TPathInfo::FromStored("|base", "", "fine.txt", ""), "good");
            writer.AddStoredEntry(header, "[Desktop Entry]\nExec=sh -c evil\n", relist);
            writer.Close();
        }
        std::filesystem::create_directories(home);
        const TCatalog& catalog = FReader.OpenReadOnly(file);
        const int listed = catalog.Item(0)->FPath.FileName() == "invoice.pdf" ? 0 : 1;
        EXPECT_EQ(ContainerErrorOf([&] { FReader.ExtractFile(listed, home); }), refusal) << label;
        EXPECT_EQ(ContainerErrorOf([&] { FReader.ExtractFileTo(listed, home + "/chosen.pdf"); }), refusal) << label;
        EXPECT_TRUE(std::filesystem::is_empty(home)) << label << ": no file and no folder";
        FReader.ExtractFile(1 - listed, home);
        EXPECT_EQ(TreeOf(home), (TFileMap{{"fine.txt", "good"}})) << label;
        FReader.Close();
        EXPECT_EQ(ContainerErrorOf(
                      [&] { CopyContainer(file, TContainerKey("pw"), copy, copy + ".tmp", TContainerKey("pw")); }),
                  refusal)
            << label;
        EXPECT_FALSE(std::filesystem::exists(copy) || std::filesystem::exists(copy + ".tmp")) << label;
        std::filesystem::remove_all(home);
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
