#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One file to be stored, and the folder it is added from: the part of its path that a container
// does not keep, so that what lies below that folder comes back on extraction.
struct TInputFile
{
    std::string FullName;
    std::string BaseFolder;
    std::int64_t Size = 0;
};

struct TInputSelection
{
    std::vector<TInputFile> Files;
    // Things below a folder that are neither files nor folders (pipes, sockets, devices).
    std::vector<std::string> Skipped;

    std::int64_t TotalSize() const;
};

// The files the paths on a command line stand for. A file is added from its own folder; a folder
// with every file below it (in name order, symbolic links to folders not followed) from the
// folder's parent, so that the folder itself comes back by name. Everything is checked before
// anything is written: a missing path raises "File '%s' not found!", a name that cannot be
// stored "Illegal file name '%s'!". The excluded file (the container being written) is left out.
TInputSelection CollectInputFiles(const std::vector<std::string>& paths, const std::string& excluded);
