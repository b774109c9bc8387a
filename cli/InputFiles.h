#pragma once

#include "container/FileReadAhead.h"

#include <cstdint>
#include <string>
#include <vector>

struct TInputSelection
{
    // Each file with its path below the folder it is added from: the part of its name that a
    // container does not keep, so that what lies below that folder comes back on extraction.
    std::vector<TFileToStore> Files;
    // Things below a folder that are neither files nor folders (pipes, sockets, devices).
    std::vector<std::string> Skipped;
    // The size of all files together, as found when they were collected; 0 when not counted.
    std::int64_t TotalSize = 0;
};

// The files the paths on a command line stand for. A file is added from its own folder; a folder
// with every file below it (in name order, symbolic links to folders not followed) from the
// folder's parent, so that the folder itself comes back by name. Everything is checked before
// anything is written: a missing path raises "File '%s' not found!", a name that cannot be
// stored "Illegal file name '%s'!". The excluded file (the container being written) is left out.
// The sizes cost one more look at every file: they are counted only when asked for.
TInputSelection CollectInputFiles(const std::vector<std::string>& paths, const std::string& excluded,
                                  bool countSizes = true);
