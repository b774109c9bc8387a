#include "CryptoContainer.h"

#include "ContainerError.h"
#include "Delay.h"
#include "language/Messages.h"
#include "language/MsgText.h"

#include <chrono>
#include <random>

namespace {

constexpr std::int64_t MinPrefix = 128;
constexpr std::int64_t MaxPrefixEnd = 256;
constexpr std::int64_t CheckSize = 8;

std::int64_t LittleEndianAt(const unsigned char* bytes)
{
    std::uint64_t bits = 0;
    for (int n = 7; n >= 0; --n) {
        bits = (bits << 8) | bytes[n];
    }
    return static_cast<std::int64_t>(bits);
}

} // namespace

TCryptoContainer::TCryptoContainer(const TContainerKey& key)
    : FCipher(std::make_unique<TBrassCrypto>(PaddedKey(key.Bytes())))
{
}

std::string TCryptoContainer::PaddedKey(std::string_view keyBytes)
{
    std::string key(keyBytes);
    if (key.size() < KeyPad.size()) {
        key += KeyPad.substr(key.size());
    }
    return key;
}

std::unique_ptr<TBasicFileStream> TCryptoContainer::MakeStream(const std::string& fileName, TFileMode mode)
{
    auto stream = std::make_unique<TCryptoFileStream>(FCipher, fileName, mode);
    FCryptoStream = stream.get();
    return stream;
}

void TCryptoContainer::SetCipherActive(bool active)
{
    FCryptoStream->SetActive(active);
}

void TCryptoContainer::WriteFormat()
{
    SetCipherActive(false);
    WriteInt64(Format);
    SetCipherActive(true);
}

void TCryptoContainer::ReadFormat()
{
    SetCipherActive(false);
    const std::int64_t format = ReadInt64();
    if (format != Format) {
        ThrowContainerError(msg::InvalidContainerFormat, {format});
    }
    SetCipherActive(true);
}

void TCryptoContainer::WriteHeader()
{
    WriteFormat();
    WriteRandomPrefix();
    WriteInt64(FCipher->GetCheck());
}

void TCryptoContainer::ReadHeader()
{
    ReadFormat();
    SkipRandomPrefix();
    if (ReadInt64() != FCipher->GetCheck()) {
        // The cipher here is a fresh clone with a short set-up of its own, so the pause is
        // about two seconds whatever the key set-up cost.
        SleepMilliseconds(WrongPasswordPauseMs - FCipher->SetupMilliseconds());
        throw EPasswordError(MsgText(msg::IncorrectPassword));
    }
}

void TCryptoContainer::WriteRandomPrefix()
{
    std::random_device device;
    std::mt19937_64 generator(
        device() ^ static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    const auto length = static_cast<std::size_t>(MinPrefix + static_cast<std::int64_t>(generator() % 128));
    std::string prefix(length, '\0');
    for (char& byte : prefix) {
        byte = static_cast<char>(generator() & 0xFF);
    }
    FStream->WriteBuffer(prefix.data(), static_cast<std::int64_t>(prefix.size()));
}

void TCryptoContainer::SkipRandomPrefix()
{
    const std::int64_t start = FStream->Position();
    const std::unique_ptr<TBrassCrypto> atStart = FCipher->Clone();

    unsigned char buffer[MaxPrefixEnd + CheckSize];
    const std::int64_t got = FStream->Read(buffer, sizeof buffer);
    if (got < MinPrefix + CheckSize) {
        ThrowContainerError(msg::RandomAreaTooSmall, {got});
    }
    const std::int64_t fileSize = FStream->Size();
    std::int64_t length = MinPrefix;
    while (length < MaxPrefixEnd && start + length < fileSize - CheckSize) {
        if (LittleEndianAt(buffer + length) == FCipher->GetCheck()) {
            break;
        }
        ++length;
    }

    FCipher = atStart->Clone();
    FStream->SetPosition(start);
    FStream->ReadBuffer(buffer, length);
}
