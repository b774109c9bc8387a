#pragma once

#include "container/Container.h"
#include "container/ContainerKey.h"
#include "container/CopyProgress.h"

#include <cstdint>
#include <memory>
#include <string>

// The two container formats and the choice between them. Format 4 is read by every Sealvane and
// stays the default; format 5 is authenticated (see docs/container-format.md).
inline constexpr std::int64_t ClassicFormat = 4;
inline constexpr std::int64_t SealedFormat = 5;
inline constexpr std::int64_t DefaultFormat = ClassicFormat;

// True for the formats a new container can be written in.
bool IsWritableFormat(std::int64_t format);
// The format number the file begins with; 0 when it cannot be read or is too short.
std::int64_t FormatOfFile(const std::string& fileName);

// A closed container that writes a new file in the given format (4 or 5; anything else raises
// EContainerError "Invalid container format").
std::unique_ptr<TContainer> NewContainer(const TContainerKey& key, std::int64_t format);
// A closed container for the named file, of the format the file begins with. A file of an
// unknown format, or none, gets format 4, whose opening says what is wrong with it.
std::unique_ptr<TContainer> ContainerFor(const std::string& fileName, const TContainerKey& key);

// Writes a new container at targetFile, under targetKey, in targetFormat (0: the source's),
// holding everything of the source container. The new container is built at tempFile, a free
// name (created as OpenNew creates), and put in place only once it is complete, so the target is
// never left half-written. The progress counts the bytes of all entries; when it cancels
// (ECancelled), the source and the target are untouched and tempFile is gone.
void CopyContainer(const std::string& sourceFile, const TContainerKey& sourceKey, const std::string& targetFile,
                   const std::string& tempFile, const TContainerKey& targetKey, const TCopyProgress& progress = {},
                   std::int64_t targetFormat = 0);
// Gives a container a new key (and new random bytes and freshly written entries), in its format
// or, when format is not 0, in that one.
void RekeyContainer(const std::string& fileName, const TContainerKey& newKey, const TContainerKey& oldKey,
                    const std::string& tempFile, const TCopyProgress& progress = {}, std::int64_t format = 0);
// True when the key opens the container; false for a wrong password (after its pause); every
// other failure is raised.
bool CheckPassword(const std::string& fileName, const TContainerKey& key);
