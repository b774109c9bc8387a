#pragma once

#include "PathInfo.h"

#include <cstdint>

// One stored file: where its entry stands in the container, how large it is, and what it was.
// Times are whole seconds since 1970-01-01 00:00:00 counted on the local wall clock (see
// LocalTime.h), as containers store them.
class TFileInfo
{
public:
    std::int64_t FID = 0;       // entry number given by the catalog; not stored in files
    std::int64_t FPosition = 0; // file offset of the entry header in the container
    std::int64_t FSize = 0;     // number of data bytes
    TPathInfo FPath;
    std::int64_t FDupNo = 0;        // how many files of the same full name were added before it
    std::int64_t FAttributes = 0;   // attribute bits of the file when it was added
    std::int64_t FModified = 0;     // last-write time of the file when it was added
    std::int64_t FAdded = 0;        // time the file was added to the container
    std::int64_t FHeaderLength = 0; // length in bytes of the stored entry header
};
