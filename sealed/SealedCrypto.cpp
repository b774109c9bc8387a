#include "SealedCrypto.h"

#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/kdf.h>
#include <openssl/params.h>
#include <openssl/rand.h>

#include <algorithm>
#include <stdexcept>

namespace sealed {

namespace {

void Require(bool done, const char* what)
{
    if (!done) {
        throw std::runtime_error(std::string("OpenSSL: ") + what + " failed");
    }
}

const unsigned char* Bytes(std::string_view text)
{
    return reinterpret_cast<const unsigned char*>(text.data());
}

int Length(std::size_t size)
{
    return static_cast<int>(size);
}

} // namespace

std::string RandomBytes(std::size_t count)
{
    std::string bytes(count, '\0');
    Require(RAND_bytes(reinterpret_cast<unsigned char*>(bytes.data()), Length(count)) == 1, "random bytes");
    return bytes;
}

std::string Pbkdf2Sha256(std::string_view password, std::string_view salt, std::uint32_t iterations,
                         std::size_t length)
{
    std::string key(length, '\0');
    Require(PKCS5_PBKDF2_HMAC(password.data(), Length(password.size()), Bytes(salt), Length(salt.size()),
                              static_cast<int>(iterations), EVP_sha256(), Length(length),
                              reinterpret_cast<unsigned char*>(key.data())) == 1,
            "PBKDF2");
    return key;
}

std::string HkdfSha256(std::string_view key, std::string_view salt, std::string_view info, std::size_t length)
{
    EVP_KDF* kdf = EVP_KDF_fetch(nullptr, "HKDF", nullptr);
    Require(kdf != nullptr, "HKDF");
    EVP_KDF_CTX* context = EVP_KDF_CTX_new(kdf);
    EVP_KDF_free(kdf);
    Require(context != nullptr, "HKDF");
    char digest[] = "SHA256";
    const OSSL_PARAM params[] = {
        OSSL_PARAM_construct_utf8_string(OSSL_KDF_PARAM_DIGEST, digest, 0),
        OSSL_PARAM_construct_octet_string(OSSL_KDF_PARAM_KEY, const_cast<char*>(key.data()), key.size()),
        OSSL_PARAM_construct_octet_string(OSSL_KDF_PARAM_SALT, const_cast<char*>(salt.data()), salt.size()),
        OSSL_PARAM_construct_octet_string(OSSL_KDF_PARAM_INFO, const_cast<char*>(info.data()), info.size()),
        OSSL_PARAM_construct_end()};
    std::string output(length, '\0');
    const int done = EVP_KDF_derive(context, reinterpret_cast<unsigned char*>(output.data()), length, params);
    EVP_KDF_CTX_free(context);
    Require(done == 1, "HKDF");
    return output;
}

// One context for sealing and one for opening, each with the key set once; every call only
// sets the nonce.
struct TGcmKey::TContexts
{
    EVP_CIPHER_CTX* Seal = nullptr;
    EVP_CIPHER_CTX* Open = nullptr;
};

TGcmKey::TGcmKey(std::string_view key) : FContexts(new TContexts)
{
    try {
        Require(key.size() == KeySize, "AES-256-GCM key size");
        FContexts->Seal = EVP_CIPHER_CTX_new();
        FContexts->Open = EVP_CIPHER_CTX_new();
        Require(FContexts->Seal != nullptr && FContexts->Open != nullptr, "AES-256-GCM");
        Require(EVP_EncryptInit_ex(FContexts->Seal, EVP_aes_256_gcm(), nullptr, Bytes(key), nullptr) == 1,
                "AES-256-GCM");
        Require(EVP_DecryptInit_ex(FContexts->Open, EVP_aes_256_gcm(), nullptr, Bytes(key), nullptr) == 1,
                "AES-256-GCM");
    } catch (...) {
        this->~TGcmKey();
        throw;
    }
}

TGcmKey::~TGcmKey()
{
    // Freeing a context wipes the key schedule it holds.
    EVP_CIPHER_CTX_free(FContexts->Seal);
    EVP_CIPHER_CTX_free(FContexts->Open);
    delete FContexts;
}

void TGcmKey::Seal(std::string_view nonce, std::string_view additional, const char* plain, std::size_t size,
                   char* out) const
{
    EVP_CIPHER_CTX* context = FContexts->Seal;
    auto* target = reinterpret_cast<unsigned char*>(out);
    int written = 0;
    Require(nonce.size() == NonceSize, "AES-256-GCM nonce size");
    Require(EVP_EncryptInit_ex(context, nullptr, nullptr, nullptr, Bytes(nonce)) == 1, "AES-256-GCM");
    Require(EVP_EncryptUpdate(context, nullptr, &written, Bytes(additional), Length(additional.size())) == 1,
            "AES-256-GCM");
    Require(EVP_EncryptUpdate(context, target, &written, reinterpret_cast<const unsigned char*>(plain),
                              Length(size)) == 1,
            "AES-256-GCM");
    int last = 0;
    Require(EVP_EncryptFinal_ex(context, target + written, &last) == 1, "AES-256-GCM");
    Require(EVP_CIPHER_CTX_ctrl(context, EVP_CTRL_GCM_GET_TAG, static_cast<int>(TagSize), target + size) == 1,
            "AES-256-GCM");
}

bool TGcmKey::Open(std::string_view nonce, std::string_view additional, const char* sealed, std::size_t size,
                   char* out) const
{
    EVP_CIPHER_CTX* context = FContexts->Open;
    auto* target = reinterpret_cast<unsigned char*>(out);
    // The tag is copied out first: sealed and out may be the same memory.
    unsigned char tag[TagSize];
    std::copy_n(reinterpret_cast<const unsigned char*>(sealed) + size, TagSize, tag);
    int written = 0;
    Require(nonce.size() == NonceSize, "AES-256-GCM nonce size");
    Require(EVP_DecryptInit_ex(context, nullptr, nullptr, nullptr, Bytes(nonce)) == 1, "AES-256-GCM");
    Require(EVP_DecryptUpdate(context, nullptr, &written, Bytes(additional), Length(additional.size())) == 1,
            "AES-256-GCM");
    Require(EVP_DecryptUpdate(context, target, &written, reinterpret_cast<const unsigned char*>(sealed),
                              Length(size)) == 1,
            "AES-256-GCM");
    Require(EVP_CIPHER_CTX_ctrl(context, EVP_CTRL_GCM_SET_TAG, static_cast<int>(TagSize), tag) == 1,
            "AES-256-GCM");
    int last = 0;
    return EVP_DecryptFinal_ex(context, target + written, &last) == 1;
}

} // namespace sealed
