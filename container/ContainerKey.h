#pragma once

#include <string>
#include <string_view>
#include <utility>

// The key a container is made with, made once from the password the user typed (UTF-8) by the
// rule of stored text (see ToStoredText): Windows-1252 bytes when every character can be written
// so, else the UTF-8 bytes. The program, the command-line tool and the page all make it here, so
// a password typed in one of them opens what another made. The bytes are wiped when the key goes.
class TContainerKey
{
public:
    explicit TContainerKey(std::string_view text);
    TContainerKey(const TContainerKey& other) = default;
    TContainerKey& operator=(const TContainerKey& other);
    ~TContainerKey();

    std::string_view Bytes() const { return FBytes; }
    // The two-letter code shown beside a password field (see PasswordCheckCode).
    std::string CheckCode() const;

    bool operator==(const TContainerKey& other) const { return FBytes == other.FBytes; }

private:
    friend class TRandomCryptoContainer;
    struct TFromBytes
    {
    };
    // The container keeps its key scrambled and gives it back through this.
    TContainerKey(TFromBytes, std::string bytes) : FBytes(std::move(bytes)) {}

    std::string FBytes;
};
