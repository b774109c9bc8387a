#include "ContainerFixture.h"
#include "TempDir.h"
#include "cipher/CryptoFileStream.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

// A scratch file, and the owner's cipher variable that cipher streams follow; FStart keeps the
// cipher's state before its first byte.
class FileStreamTest : public ::testing::Test
{
protected:
    // Writes PatternBytes(size) to the file "source" and returns them.
    std::string MakeSource(std::size_t size)
    {
        const std::string bytes = PatternBytes(size);
        WriteWholeFile(FDir.File("source"), bytes);
        return bytes;
    }
    static std::int64_t SizeOf(const std::string& bytes) { return static_cast<std::int64_t>(bytes.size()); }

    TempDir FDir;
    std::string FFile = FDir.File("stream.bin");
    std::unique_ptr<TBrassCrypto> FCipher = std::make_unique<TBrassCrypto>("key", 10);
    const std::unique_ptr<TBrassCrypto> FStart = FCipher->Clone();
};

} // namespace

// A count of 0 copies the whole source from its start; a source shorter than the count fails
// (also in the large, overlapped copy) without writing more than the source holds.
TEST_F(FileStreamTest, CopyFromStreamTakesAllForZeroAndFailsOnAShortSource)
{
    const std::tuple<std::size_t, std::int64_t, std::int64_t> cases[] = {
        {70000, 12345, 0}, {100000, 100, 61441}, {0, 0, 0}, {0, 0, 10}, {2'000'000, 0, 5'000'000}};
    for (const auto& [size, start, count] : cases) {
        SCOPED_TRACE(count);
        const std::string source = MakeSource(size);
        TBasicFileStream from(FDir.File("source"), TFileMode::OpenRead);
        from.SetPosition(start);
        std::filesystem::remove(FFile);
        TBasicFileStream to(FFile, TFileMode::Create);
        if (start + count > SizeOf(source)) {
            EXPECT_THROW(to.CopyFromStream(from, count), EStreamError);
            EXPECT_LE(to.Size(), SizeOf(source));
            continue;
        }
        const std::string expected = count == 0 ? source : source.substr(start, count);
        EXPECT_EQ(to.CopyFromStream(from, count), SizeOf(expected));
        to.Close();
        EXPECT_TRUE(ReadWholeFile(FFile) == expected);
    }
}

// Small writes are gathered, large ones go through a scratch buffer, copies go in turn or
// overlapped when large: each enciphers and leaves the caller's bytes alone. Reads of any size
// and copies out decipher, each continuing the keystream where the one before left it.
TEST_F(FileStreamTest, CipherStreamsEncipherEveryWriteAndCopyAndDecipherEveryReadAndCopy)
{
    const std::pair<std::int64_t, std::size_t> cases[] = {{5000, 1}, {200000, 7}, {3'000'001, 4096}};
    for (const auto& [size, split] : cases) {
        SCOPED_TRACE(size);
        const std::string plain = MakeSource(static_cast<std::size_t>(size));
        std::string buffer = plain;
        FCipher = FStart->Clone();
        std::filesystem::remove(FFile);
        std::filesystem::remove(FDir.File("back"));
        {
            TCryptoFileStream to(FCipher, FFile, TFileMode::Create);
            to.WriteBuffer(buffer.data(), 10);
            to.WriteBuffer(buffer.data() + 10, size / 2 - 10);
            TBasicFileStream from(FDir.File("source"), TFileMode::OpenRead);
            from.SetPosition(size / 2);
            EXPECT_EQ(to.CopyFromStream(from, size - size / 2), size - size / 2);
        }
        EXPECT_TRUE(buffer == plain);
        FStart->Clone()->Crypt(buffer.data(), buffer.size());
        EXPECT_TRUE(ReadWholeFile(FFile) == buffer);

        FCipher = FStart->Clone();
        TCryptoFileStream from(FCipher, FFile, TFileMode::OpenRead);
        std::string back(static_cast<std::size_t>(size / 2), '\0');
        for (std::size_t done = 0; done < back.size(); done += split) {
            const auto n = static_cast<std::int64_t>(std::min(split, back.size() - done));
            ASSERT_EQ(from.Read(back.data() + done, n), n);
        }
        TBasicFileStream to(FDir.File("back"), TFileMode::Create);
        EXPECT_EQ(to.CopyFromStream(from, size - size / 2), size - size / 2);
        to.Close();
        EXPECT_TRUE(back + ReadWholeFile(FDir.File("back")) == plain);
    }
}

TEST_F(FileStreamTest, FileHeldByAStreamCannotBeOpenedOrCreatedAgain)
{
    WriteWholeFile(FFile, "keep me");
    {
        TBasicFileStream holder(FFile, TFileMode::OpenRead);
        for (const TFileMode mode : {TFileMode::OpenRead, TFileMode::OpenReadWrite, TFileMode::Create}) {
            EXPECT_THROW(TBasicFileStream(FFile, mode), EStreamError);
        }
        EXPECT_EQ(ReadWholeFile(FFile), "keep me") << "a refused create must not empty the file";
    }
    EXPECT_NO_THROW(TBasicFileStream(FFile, TFileMode::OpenReadWrite));
}

// A read that comes short at the end still moves the keystream on by the whole count.
TEST_F(FileStreamTest, PositionsBeyondFourGibibytesWorkAndAShortReadAdvancesTheKeystream)
{
    constexpr std::int64_t far = (std::int64_t{4} << 30) + 12345;
    const std::string plain = "far away";
    {
        TCryptoFileStream stream(FCipher, FFile, TFileMode::Create);
        stream.SetSize(far + 100); // sparse: no disk space is taken
        EXPECT_EQ(stream.Seek(far, TSeekOrigin::Begin), far);
        stream.WriteBuffer(plain.data(), SizeOf(plain));
        EXPECT_EQ(stream.Position(), far + SizeOf(plain));
    }
    FCipher = FStart->Clone();
    TCryptoFileStream stream(FCipher, FFile, TFileMode::OpenRead);
    stream.Seek(-100, TSeekOrigin::End);
    std::string back(plain.size(), '\0');
    stream.ReadBuffer(back.data(), SizeOf(back));
    EXPECT_EQ(back, plain);
    std::string rest(200, '\0');
    EXPECT_EQ(stream.Read(rest.data(), 200), 92);
    rest.assign(208, '\0');
    FStart->Crypt(rest.data(), rest.size());
    EXPECT_EQ(FCipher->ComputeCheck(), FStart->ComputeCheck());
}

// Writes anywhere (rewriting gathered bytes, before them, past them with a gap, large ones) and
// cuts: after each step the size the stream reports and a small read across the step's start
// (which fills the read-ahead that the next step may write into), at the end a read from inside
// the read-ahead to past it, and the file, match a model.
TEST_F(FileStreamTest, SizeReadsAndContentsFollowEveryWriteAndCut)
{
    // Steps of position and size; position -1 cuts the file to the size instead of writing.
    const std::vector<std::vector<std::pair<std::int64_t, std::int64_t>>> scripts = {
        {{0, 100}, {92, 8}, {92, 50}, {142, 8}},               // an end marker overwritten by the next entry
        {{0, 100}, {40, 10}, {0, 5}, {100, 1}},                // rewrites inside what is gathered
        {{0, 100}, {300, 10}, {150, 20}},                      // a gap, then a write into it
        {{0, 50000}, {49990, 20000}, {10, 40000}},             // past the gathering buffer, then large
        {{0, 1000}, {-1, 400}, {390, 20}, {-1, 2000}, {5, 3}}, // cuts, shorter and longer
    };
    for (std::size_t n = 0; n < scripts.size(); ++n) {
        for (const bool existing : {false, true}) {
            SCOPED_TRACE("script " + std::to_string(n) + (existing ? " over a file" : " new"));
            std::string model = existing ? PatternBytes(120) : std::string();
            std::filesystem::remove(FFile);
            if (existing) {
                WriteWholeFile(FFile, model);
            }
            TBasicFileStream stream(FFile, existing ? TFileMode::OpenReadWrite : TFileMode::Create);
            unsigned seed = 2; // every write brings bytes of its own
            std::int64_t at = 0;
            for (const auto& [position, stepSize] : scripts[n]) {
                const auto size = static_cast<std::size_t>(stepSize);
                if (position < 0) {
                    stream.SetSize(stepSize);
                    model.resize(size, '\0');
                } else {
                    const std::string bytes = PatternBytes(size, seed++);
                    stream.SetPosition(position);
                    stream.WriteBuffer(bytes.data(), stepSize);
                    model.resize(std::max(model.size(), static_cast<std::size_t>(position) + size), '\0');
                    model.replace(static_cast<std::size_t>(position), size, bytes);
                }
                ASSERT_EQ(stream.Size(), SizeOf(model));
                at = std::max<std::int64_t>((position < 0 ? stepSize : position) - 4, 0);
                EXPECT_EQ(stream.Seek(at - SizeOf(model), TSeekOrigin::End), at);
                char small[8];
                const std::int64_t got = stream.Read(small, 8);
                EXPECT_EQ(std::string(small, static_cast<std::size_t>(got)), model.substr(at, 8));
            }
            std::string rest(model.size(), '\0');
            stream.SetPosition(at + 1);
            rest.resize(static_cast<std::size_t>(stream.Read(rest.data(), SizeOf(rest))));
            EXPECT_TRUE(rest == model.substr(at + 1));
            EXPECT_THROW(stream.Seek(-1, TSeekOrigin::Begin), EStreamError);
            stream.Close();
            EXPECT_TRUE(ReadWholeFile(FFile) == model);
        }
    }
}
