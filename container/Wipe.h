#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Overwrites a file three times, 8192 bytes at a time (bytes AA, then 55, then random), each pass
// reaching the device before the next begins. Whole blocks are written, so a file grows to the
// next multiple of 8192 bytes; an empty file stays empty. Raises EContainerError for a missing
// ("Container '%s' not found!") or read-only ("File '%s' is read only! Cannot open for
// overwrite.") file, and EStreamError for a failing write.
void WipePass(const std::string& fileName);

// Cycles passes, then, when deleteAfter, deletes the file; a failed deletion raises EStreamError
// ("Cannot delete file '%s': reason"). The first failing pass ends it and the file stays.
void WipeFile(const std::string& fileName, std::int32_t cycles, bool deleteAfter);

// Progress of a wipe: bytes overwritten so far out of the bytes all passes will write.
using TWipeProgress = std::function<void(std::int64_t done, std::int64_t total)>;
void WipeFile(const std::string& fileName, std::int32_t cycles, bool deleteAfter, const TWipeProgress& progress);

// Called after each pass has reached the device and the file is closed again, with the pass's
// number counted from 0 over the whole wipe (AA, 55, random, AA, ...): a way to look at the file
// between passes. An empty function removes it; returns the previous one.
using TWipePassHook = std::function<void(const std::string& fileName, int pass)>;
TWipePassHook SetWipePassHook(TWipePassHook hook);
