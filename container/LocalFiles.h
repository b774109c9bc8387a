#pragma once

#include <cstdint>
#include <string>

// What the containers ask of the file system about the user's files.

bool FileExists(const std::string& fileName);
// Size in bytes; 0 for a missing file.
std::int64_t FileSizeOf(const std::string& fileName);
// Read-only means the owner has no write permission, whoever runs the program.
bool IsReadOnlyFile(const std::string& fileName);

// Attribute bits stored with a file, in the form other copies of the program understand:
// 0x01 read-only, 0x02 hidden (the name starts with "."), 0x20 archive.
std::int64_t StoredAttributes(const std::string& fileName);

// Last-write time as local wall-clock seconds (see LocalTime.h).
std::int64_t LastWriteLocalSeconds(const std::string& fileName);
void SetLastWriteLocalSeconds(const std::string& fileName, std::int64_t localSeconds);

// Creates every missing folder of the path's folder part.
void CreateParentFolders(const std::string& fileName);
