#pragma once

#include "Catalog.h"
#include "CryptoContainer.h"
#include "cipher/KeystreamRecord.h"

#include <cstddef>
#include <memory>
#include <string>

// An enciphered container with a stored catalog, a memo and an extra text, random access to any
// entry, and recovery when the stored catalog is missing. Random access rests on one rule: every
// segment after the header (each entry, the end marker, the catalog) is enciphered from the same
// cipher state, the one right after the header, so reading or writing a segment means seeking to
// it and restarting the cipher from a clone of that state. The plain part of the header holds
// the catalog locator (catalog position XOR check value; the check value alone means "no valid
// catalog") and the count of bytes that deleted entries still take up.
class TCryptoCatContainer : public TCryptoContainer
{
public:
    explicit TCryptoCatContainer(const TContainerKey& key);

    virtual void SetMemo(const std::string& text);
    virtual std::string GetMemo();
    virtual void SetExtra(const std::string& text);
    virtual std::string GetExtra();

protected:
    void WriteFormat() override;
    void ReadFormat() override;
    void WriteHeader() override;
    void ReadHeader() override;
    void AddEntry(const std::shared_ptr<TFileInfo>& entry) override;
    std::shared_ptr<TFileInfo> ReadEntryHeaderAt() override;
    // End marker, then the catalog.
    void WriteTrailer() override;

    // Writes the catalog at the current position and points the locator at it, leaving the bytes
    // with the system; whoever saves makes them durable with one Flush. A catalog about to be
    // written over the one the locator points at waits until the locator, marked invalid, has
    // reached the device, so that a half-written catalog is never read as a whole one. A program
    // stopped at any moment leaves a file that the next opening reads or recovers by scanning,
    // and so does a power loss during the final Flush: a catalog cut short fails to parse.
    virtual void WriteCatalog();
    // Reads the header from the start of the file (cipher at keystream position 0), then the
    // stored catalog, memo and extra.
    virtual TCatalog& ReadCatalog();
    // Rebuilds the catalog by walking the entries from the start of the file (the caller puts
    // the cipher at keystream position 0). Never fails: it ends at the end marker or before the
    // first entry that is damaged or cut short, keeping what it found, and leaves the catalog
    // position just after the last complete entry.
    virtual TCatalog& ScanCatalog();

    // Every entry, and the catalog, begin their keystream at the state the header leaves: that
    // keystream is kept (up to SegmentKeystreamKept bytes) and replayed for each.
    void RestartSegmentCipher();
    void MarkCatalogInvalid();

    std::unique_ptr<TBrassCrypto> FHeaderCipher;
    std::shared_ptr<TKeystreamRecord> FSegmentKeystream;
    std::unique_ptr<TCatalog> FCatalog;
    std::int64_t FLocatorPos = 0;
    std::int64_t FCatalogPos = 0;
    std::int64_t FZombieBytes = 0;
    std::string FMemo;
    std::string FExtra;

private:
    // Bytes of the segments' keystream kept: entries up to this size are enciphered and
    // deciphered by replaying it.
    static constexpr std::size_t SegmentKeystreamKept = 1 << 20;

    void WriteLocator(std::int64_t catalogPosition);
    // Saves the cipher as the header leaves it, where every segment begins.
    void KeepHeaderCipher();

    // Whether the locator in the file points at a stored catalog.
    bool FLocatorValid = false;
};
