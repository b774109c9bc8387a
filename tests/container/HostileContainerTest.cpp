// Damaged and hostile containers: cut at every length, and with bytes flipped at every position
// of the header and the catalog. Each must open or fail with a message of the table; never crash,
// hang, or allocate memory in proportion to a stored length instead of the file. This program
// counts every allocation, which is why it runs apart from the other tests.
#include "ContainerFixture.h"
#include "language/FormatText.h"
#include "language/Messages.h"
#include "language/MsgText.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#include <regex>

namespace {

std::atomic<std::size_t> LargestAllocation{0};

} // namespace

void* operator new(std::size_t size)
{
    std::size_t largest = LargestAllocation.load(std::memory_order_relaxed);
    while (size > largest && !LargestAllocation.compare_exchange_weak(largest, size)) {
    }
    if (void* memory = std::malloc(size != 0 ? size : 1)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace {

// Working buffers of the streams and the copy loop, whatever the file holds.
constexpr std::size_t FixedBuffers = 256 * 1024;

// Whether the text is an English message of the table, with anything in its placeholders.
bool IsTableMessage(const std::string& text)
{
    static const std::vector<std::regex> patterns = [] {
        std::vector<std::regex> result;
        for (const TMessage* message : MessageTable()) {
            const std::string literal = std::regex_replace(std::string(message->Text[LangEnglish]),
                                                           std::regex(R"([\\^$.|?*+()[\]{}])"), R"(\$&)");
            const std::string texts = std::regex_replace(literal, std::regex("%(0:)?s"), "[^]*");
            result.emplace_back(std::regex_replace(texts, std::regex("%d"), "-?[0-9]+"));
        }
        return result;
    }();
    return std::any_of(patterns.begin(), patterns.end(),
                       [&text](const std::regex& pattern) { return std::regex_match(text, pattern); });
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
        LargestAllocation = 0;
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
        EXPECT_LE(LargestAllocation.load(), bytes.size() + FixedBuffers) << label;
        std::filesystem::remove_all(FDir.File("out"));
    }

    std::string FHealthy;
    TRandomCryptoContainer FReader{"pw"};
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

// The last entry's header claims exactly one byte more than the file holds after it (the cipher
// is a plain XOR stream, so flipping the enciphered bits flips the stored size): refused with the
// size message, not read short.
TEST_F(HostileContainerTest, EntryOneByteLongerThanTheFile)
{
    const std::string file = FDir.File("long.xvt");
    WriteWholeFile(file, FHealthy);
    const TCatalog& catalog = FReader.OpenReadOnly(file);
    int index = 0;
    for (int n = 1; n < catalog.Count(); ++n) {
        index = catalog.Item(n)->FPosition > catalog.Item(index)->FPosition ? n : index;
    }
    const TCatalog::TEntry last = catalog.Item(index);
    FReader.Close();
    const std::int64_t left = static_cast<std::int64_t>(FHealthy.size()) - last->FPosition - last->FHeaderLength;
    const auto change = static_cast<std::uint64_t>(last->FSize ^ (left + 1));
    std::string bytes = FHealthy;
    for (std::size_t k = 0; k < 8; ++k) {
        bytes[static_cast<std::size_t>(last->FPosition) + k] ^= static_cast<char>(change >> (8 * k));
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
