#include "TempDir.h"
#include "cipher/CryptoFileStream.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr std::uint16_t TestPasses = 10;

std::string Pattern(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t n = 0; n < size; ++n) {
        bytes[n] = static_cast<char>((n * 131 + n / 256) & 0xFF);
    }
    return bytes;
}

// Records the size of every write that reaches it.
class TRecordingStream : public TBasicFileStream
{
public:
    using TBasicFileStream::TBasicFileStream;
    std::int64_t Write(const void* buffer, std::int64_t count) override
    {
        FWrites.push_back(count);
        return TBasicFileStream::Write(buffer, count);
    }
    std::vector<std::int64_t> FWrites;
};

class FileStreamTest : public ::testing::Test
{
protected:
    TempDir FDir;
    std::string FFile = FDir.File("stream.bin");
};

} // namespace

TEST_F(FileStreamTest, EncipheredWritesReadBackThroughAFreshCipherInAnySplit)
{
    const std::string plain = Pattern(10000);
    {
        std::unique_ptr<TBrassCrypto> cipher = std::make_unique<TBrassCrypto>("key", TestPasses);
        TCryptoFileStream stream(cipher, FFile, TFileMode::Create);
        stream.WriteBuffer(plain.data(), 10);
        stream.WriteBuffer(plain.data() + 10, static_cast<std::int64_t>(plain.size() - 10));
    }
    const std::string onDisk = ReadWholeFile(FFile);
    ASSERT_EQ(onDisk.size(), plain.size());
    EXPECT_NE(onDisk, plain);

    for (const std::size_t split : {std::size_t{1}, std::size_t{4}, std::size_t{7}, std::size_t{4096}}) {
        std::unique_ptr<TBrassCrypto> cipher = std::make_unique<TBrassCrypto>("key", TestPasses);
        TCryptoFileStream stream(cipher, FFile, TFileMode::OpenRead);
        std::string back(plain.size(), '\0');
        for (std::size_t done = 0; done < back.size(); done += split) {
            const auto n = static_cast<std::int64_t>(std::min(split, back.size() - done));
            ASSERT_EQ(stream.Read(back.data() + done, n), n);
        }
        EXPECT_EQ(back, plain) << "reads of " << split;
    }
}

TEST_F(FileStreamTest, WriteLeavesTheCallersBufferAlone)
{
    const std::string plain = Pattern(200000);
    std::string buffer = plain;
    std::unique_ptr<TBrassCrypto> cipher = std::make_unique<TBrassCrypto>("key", TestPasses);
    TCryptoFileStream stream(cipher, FFile, TFileMode::Create);
    stream.WriteBuffer(buffer.data(), static_cast<std::int64_t>(buffer.size()));
    EXPECT_EQ(buffer, plain);
}

TEST_F(FileStreamTest, InactiveStreamPassesBytesAndLeavesTheCipherAlone)
{
    const std::string plain = "plain header";
    std::unique_ptr<TBrassCrypto> cipher = std::make_unique<TBrassCrypto>("key", TestPasses);
    const auto untouched = cipher->Clone();
    TCryptoFileStream stream(cipher, FFile, TFileMode::Create);
    stream.SetActive(false);
    stream.WriteBuffer(plain.data(), static_cast<std::int64_t>(plain.size()));
    stream.SetPosition(0);
    std::string back(plain.size(), '\0');
    stream.ReadBuffer(back.data(), static_cast<std::int64_t>(back.size()));
    EXPECT_EQ(back, plain);
    EXPECT_EQ(ReadWholeFile(FFile), plain);
    EXPECT_EQ(cipher->ComputeCheck(), untouched->ComputeCheck());
}

TEST_F(FileStreamTest, StreamFollowsTheOwnersCipherVariable)
{
    std::unique_ptr<TBrassCrypto> cipher = std::make_unique<TBrassCrypto>("key", TestPasses);
    const auto start = cipher->Clone();
    const std::string first = "first segment";
    const std::string second = "second segment";
    {
        TCryptoFileStream stream(cipher, FFile, TFileMode::Create);
        stream.WriteBuffer(first.data(), static_cast<std::int64_t>(first.size()));
        // The owner restarts the keystream by replacing the cipher with a clone of a saved state.
        cipher = start->Clone();
        stream.WriteBuffer(second.data(), static_cast<std::int64_t>(second.size()));
    }

    const std::string onDisk = ReadWholeFile(FFile);
    ASSERT_EQ(onDisk.size(), first.size() + second.size());
    std::string a = onDisk.substr(0, first.size());
    std::string b = onDisk.substr(first.size());
    start->Clone()->Crypt(a.data(), a.size());
    start->Clone()->Crypt(b.data(), b.size());
    EXPECT_EQ(a, first);
    EXPECT_EQ(b, second);
}

TEST_F(FileStreamTest, ShortReadStillAdvancesTheKeystreamByTheWholeCount)
{
    WriteWholeFile(FFile, "abc");
    std::unique_ptr<TBrassCrypto> cipher = std::make_unique<TBrassCrypto>("key", TestPasses);
    const auto reference = cipher->Clone();
    TCryptoFileStream stream(cipher, FFile, TFileMode::OpenRead);
    char buffer[10] = {};
    EXPECT_EQ(stream.Read(buffer, 10), 3);
    std::string skipped(10, '\0');
    reference->Crypt(skipped.data(), skipped.size());
    EXPECT_EQ(cipher->ComputeCheck(), reference->ComputeCheck());
}

TEST_F(FileStreamTest, CopyFromStreamWithZeroCountCopiesTheWholeSourceFromItsStart)
{
    const std::string source = Pattern(70000);
    WriteWholeFile(FDir.File("source"), source);
    TBasicFileStream from(FDir.File("source"), TFileMode::OpenRead);
    from.SetPosition(12345);
    TRecordingStream to(FFile, TFileMode::Create);
    EXPECT_EQ(to.CopyFromStream(from, 0), 70000);
    EXPECT_EQ((std::vector<std::int64_t>{61440, 70000 - 61440}), to.FWrites);
    to.Close();
    EXPECT_EQ(ReadWholeFile(FFile), source);
}

TEST_F(FileStreamTest, CopyFromStreamOf61441BytesTakesTwoChunks)
{
    const std::string source = Pattern(100000);
    WriteWholeFile(FDir.File("source"), source);
    TBasicFileStream from(FDir.File("source"), TFileMode::OpenRead);
    from.SetPosition(100);
    TRecordingStream to(FFile, TFileMode::Create);
    EXPECT_EQ(to.CopyFromStream(from, 61441), 61441);
    EXPECT_EQ((std::vector<std::int64_t>{61440, 1}), to.FWrites);
    to.Close();
    EXPECT_EQ(ReadWholeFile(FFile), source.substr(100, 61441));
}

TEST_F(FileStreamTest, CopyFromStreamOfAnEmptySourceCopiesNothingAndShortSourceFails)
{
    WriteWholeFile(FDir.File("empty"), "");
    TBasicFileStream empty(FDir.File("empty"), TFileMode::OpenRead);
    TRecordingStream to(FFile, TFileMode::Create);
    EXPECT_EQ(to.CopyFromStream(empty, 0), 0);
    EXPECT_TRUE(to.FWrites.empty());
    EXPECT_THROW(to.CopyFromStream(empty, 10), EStreamError);
}

TEST_F(FileStreamTest, CopyFromStreamThroughACipherStreamEnciphers)
{
    const std::string source = Pattern(5000);
    WriteWholeFile(FDir.File("source"), source);
    TBasicFileStream from(FDir.File("source"), TFileMode::OpenRead);
    std::unique_ptr<TBrassCrypto> cipher = std::make_unique<TBrassCrypto>("key", TestPasses);
    {
        TCryptoFileStream to(cipher, FFile, TFileMode::Create);
        to.CopyFromStream(from, 0);
    }
    std::string back = ReadWholeFile(FFile);
    TBrassCrypto("key", TestPasses).Crypt(back.data(), back.size());
    EXPECT_EQ(back, source);
}

TEST_F(FileStreamTest, FileHeldByAStreamCannotBeOpenedOrCreatedAgain)
{
    WriteWholeFile(FFile, "keep me");
    {
        TBasicFileStream holder(FFile, TFileMode::OpenRead);
        EXPECT_THROW(TBasicFileStream(FFile, TFileMode::OpenRead), EStreamError);
        EXPECT_THROW(TBasicFileStream(FFile, TFileMode::OpenReadWrite), EStreamError);
        EXPECT_THROW(TBasicFileStream(FFile, TFileMode::Create), EStreamError);
        EXPECT_EQ(ReadWholeFile(FFile), "keep me") << "a refused create must not empty the file";
    }
    EXPECT_NO_THROW(TBasicFileStream(FFile, TFileMode::OpenReadWrite));
    EXPECT_THROW(TBasicFileStream(FDir.File("missing"), TFileMode::OpenRead), EStreamError);
}

TEST_F(FileStreamTest, PositionsBeyondFourGibibytesWork)
{
    constexpr std::int64_t far = (std::int64_t{4} << 30) + 12345;
    const std::string plain = "far away";
    std::unique_ptr<TBrassCrypto> cipher = std::make_unique<TBrassCrypto>("key", TestPasses);
    const auto start = cipher->Clone();
    {
        TCryptoFileStream stream(cipher, FFile, TFileMode::Create);
        stream.SetSize(far + 100); // sparse: no disk space is taken
        EXPECT_EQ(stream.Seek(far, TSeekOrigin::Begin), far);
        stream.WriteBuffer(plain.data(), static_cast<std::int64_t>(plain.size()));
        EXPECT_EQ(stream.Position(), far + static_cast<std::int64_t>(plain.size()));
        EXPECT_EQ(stream.Size(), far + 100);
    }
    cipher = start->Clone();
    TCryptoFileStream stream(cipher, FFile, TFileMode::OpenRead);
    stream.Seek(-100, TSeekOrigin::End);
    std::string back(plain.size(), '\0');
    stream.ReadBuffer(back.data(), static_cast<std::int64_t>(back.size()));
    EXPECT_EQ(back, plain);
}

TEST_F(FileStreamTest, SmallReadsSeeWhatWasJustWrittenOrSeekedTo)
{
    const std::string plain = Pattern(200000);
    WriteWholeFile(FFile, plain);
    TBasicFileStream stream(FFile, TFileMode::OpenReadWrite);
    char small[8];
    stream.ReadBuffer(small, 8); // fills the read-ahead buffer
    EXPECT_EQ(std::string(small, 8), plain.substr(0, 8));

    stream.SetPosition(16);
    stream.WriteBuffer("NEWBYTES", 8); // inside what was read ahead
    stream.SetPosition(12);
    stream.ReadBuffer(small, 8);
    EXPECT_EQ(std::string(small, 8), plain.substr(12, 4) + "NEWB");
    EXPECT_EQ(stream.Position(), 20);

    stream.Seek(-8, TSeekOrigin::End);
    stream.ReadBuffer(small, 8);
    EXPECT_EQ(std::string(small, 8), plain.substr(plain.size() - 8));
    EXPECT_EQ(stream.Read(small, 8), 0) << "nothing after the end";
    EXPECT_THROW(stream.Seek(-1, TSeekOrigin::Begin), EStreamError);

    // A read that starts in the buffer and continues past it.
    stream.SetPosition(100);
    stream.ReadBuffer(small, 1);
    std::string large(150000, '\0');
    stream.ReadBuffer(large.data(), static_cast<std::int64_t>(large.size()));
    EXPECT_EQ(large, plain.substr(101, 150000));
}

TEST_F(FileStreamTest, LargeCopiesOverlapReadingAndWritingAndKeepEveryByteInOrder)
{
    const std::string plain = Pattern(3'000'001);
    WriteWholeFile(FDir.File("plain"), plain);
    // Plain into a cipher stream: enciphered while copied.
    {
        TBasicFileStream from(FDir.File("plain"), TFileMode::OpenRead);
        std::unique_ptr<TBrassCrypto> cipher = std::make_unique<TBrassCrypto>("key", TestPasses);
        TCryptoFileStream to(cipher, FFile, TFileMode::Create);
        EXPECT_EQ(to.CopyFromStream(from, 0), static_cast<std::int64_t>(plain.size()));
    }
    std::string enciphered = ReadWholeFile(FFile);
    std::string expected = plain;
    TBrassCrypto("key", TestPasses).Crypt(expected.data(), expected.size());
    EXPECT_EQ(enciphered, expected);

    // A cipher stream into a plain one: deciphered while copied, continuing the keystream of
    // what was read before.
    std::unique_ptr<TBrassCrypto> cipher = std::make_unique<TBrassCrypto>("key", TestPasses);
    TCryptoFileStream from(cipher, FFile, TFileMode::OpenRead);
    char first[5];
    from.ReadBuffer(first, 5);
    TBasicFileStream to(FDir.File("back"), TFileMode::Create);
    EXPECT_EQ(to.CopyFromStream(from, static_cast<std::int64_t>(plain.size()) - 5),
              static_cast<std::int64_t>(plain.size()) - 5);
    EXPECT_EQ(std::string(first, 5) + ReadWholeFile(FDir.File("back")), plain);
}

TEST_F(FileStreamTest, LargeCopyFromAShortSourceFailsCleanly)
{
    WriteWholeFile(FDir.File("short"), Pattern(2'000'000));
    TBasicFileStream from(FDir.File("short"), TFileMode::OpenRead);
    TBasicFileStream to(FFile, TFileMode::Create);
    EXPECT_THROW(to.CopyFromStream(from, 5'000'000), EStreamError);
    EXPECT_LE(to.Size(), 2'000'000);
}

// Writes anywhere (rewriting gathered bytes, before them, past them with a gap, large ones) and
// cuts: after each step the size the stream reports, and at the end the file, match a model.
TEST_F(FileStreamTest, SizeAndContentsFollowEveryWriteAndCut)
{
    struct TStep
    {
        std::int64_t Position; // -1: cut the file to Size bytes instead of writing
        std::int64_t Size;
    };
    const std::vector<std::vector<TStep>> scripts = {
        {{0, 100}, {92, 8}, {92, 50}, {142, 8}},               // an end marker overwritten by the next entry
        {{0, 100}, {40, 10}, {0, 5}, {100, 1}},                // rewrites inside what is gathered
        {{0, 100}, {300, 10}, {150, 20}},                      // a gap, then a write into it
        {{0, 50000}, {49990, 20000}, {10, 40000}},             // past the gathering buffer, then large
        {{0, 1000}, {-1, 400}, {390, 20}, {-1, 2000}, {5, 3}}, // cuts, shorter and longer
    };
    for (std::size_t n = 0; n < scripts.size(); ++n) {
        for (const bool existing : {false, true}) {
            std::string model = existing ? Pattern(120) : std::string();
            WriteWholeFile(FFile, model);
            {
                TBasicFileStream stream(FFile, existing ? TFileMode::OpenReadWrite : TFileMode::Create);
                for (const TStep& step : scripts[n]) {
                    const auto size = static_cast<std::size_t>(step.Size);
                    if (step.Position < 0) {
                        stream.SetSize(step.Size);
                        model.resize(size, '\0');
                    } else {
                        const std::string bytes = Pattern(size + 7).substr(7);
                        stream.SetPosition(step.Position);
                        stream.WriteBuffer(bytes.data(), step.Size);
                        const auto at = static_cast<std::size_t>(step.Position);
                        model.resize(std::max(model.size(), at + size), '\0');
                        model.replace(at, size, bytes);
                    }
                    ASSERT_EQ(stream.Size(), static_cast<std::int64_t>(model.size())) << "script " << n;
                }
                stream.Close();
            }
            EXPECT_EQ(ReadWholeFile(FFile), model) << "script " << n << (existing ? " over a file" : " new");
        }
    }
}
