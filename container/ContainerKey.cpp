#include "ContainerKey.h"

#include "PasswordCheckCode.h"
#include "cipher/SecureZero.h"
#include "text/StoredText.h"

TContainerKey::TContainerKey(std::string_view text) : FBytes(ToStoredText(text)) {}

TContainerKey& TContainerKey::operator=(const TContainerKey& other)
{
    if (this != &other) {
        SecureClear(FBytes);
        FBytes = other.FBytes;
    }
    return *this;
}

TContainerKey::~TContainerKey()
{
    SecureClear(FBytes);
}

std::string TContainerKey::CheckCode() const
{
    return PasswordCheckCode(FBytes);
}
