#pragma once

#include <cstdint>
#include <string>

// What the containers ask of the file system about the user's files.

bool FileExists(const std::string& fileName);
// Size in bytes; 0 for a missing file.
std::int64_t FileSizeOf(const std::string& fileName);
// Read-only means the owner has no write permission, whoever runs the program.
bool IsReadOnlyFile(const std::string& fileName);

// What a container stores about a file, read with one look at the file system.
struct TFileFacts
{
    bool Exists = false; // a regular file
    std::int64_t Size = 0;
    // Attribute bits in the form other copies of the program understand: 0x01 read-only (no
    // write permission for the owner), 0x02 hidden (the name starts with "."), 0x20 archive.
    std::int64_t Attributes = 0;
    std::int64_t LastWrite = 0; // local wall-clock seconds
};
TFileFacts FactsOf(const std::string& fileName);
// The same for a file that is open under that name: one look at the handle, none at the path.
TFileFacts FactsOfOpen(int handle, const std::string& fileName);

// Last-write time as local wall-clock seconds (see LocalTime.h).
std::int64_t LastWriteLocalSeconds(const std::string& fileName);
void SetLastWriteLocalSeconds(const std::string& fileName, std::int64_t localSeconds);
// The same for a file that is open: no second look-up of its name.
void SetLastWriteLocalSeconds(int handle, std::int64_t localSeconds);

// Creates every missing folder of the path's folder part.
void CreateParentFolders(const std::string& fileName);
