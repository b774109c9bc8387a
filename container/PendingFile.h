#pragma once

#include <stdexcept>
#include <string>

// Whether a finished file may take the place of one that stands at its name.
enum class TOverwrite
{
    Allowed,
    Refused
};

// A file was not written because another one stands at its name and overwriting was refused.
class EFileExists : public std::runtime_error
{
public:
    explicit EFileExists(const std::string& fileName)
        : std::runtime_error("'" + fileName + "' exists; not overwritten"), FFileName(fileName)
    {
    }
    const std::string& FileName() const { return FFileName; }

private:
    std::string FFileName;
};

// A file written in full before it takes its final name: whatever fails on the way, the final
// name holds either its old contents or the complete new ones, never a part. A new file is
// written without a name at all and linked into place when complete, so that not even a killed
// process leaves a part of it behind (where the filesystem cannot do that, and for a file that
// replaces another, it is written under a temporary name beside the final one and renamed). The
// file stays private while it is written; the finished file gets the permissions of the file it
// replaces, or those any new file gets. It is created at once and kept open until Commit, so that
// whoever writes it writes through Handle; missing folders above it are made.
class TPendingFile
{
public:
    // Raises EContainerError ("File '%s' is read only! Cannot open for overwrite.") when a
    // read-only file stands at the final name (as writing into it would), or when nothing can be
    // created beside it; std::filesystem::filesystem_error when a missing folder above it cannot
    // be made (a file stands in its way, for example). Where overwriting is refused, nothing is
    // looked at first: the name is taken only if it is free when the file is complete.
    explicit TPendingFile(const std::string& finalName, TOverwrite overwrite = TOverwrite::Allowed);
    ~TPendingFile();
    TPendingFile(const TPendingFile&) = delete;
    TPendingFile& operator=(const TPendingFile&) = delete;

    // The file, open for reading and writing (until Commit).
    int Handle() const { return FHandle; }
    // Gives the finished file its permissions, closes it and puts it in place under its final
    // name, replacing a file that stood there where that is allowed. Raises EStreamError when
    // the file cannot be completed, EFileExists when the name is taken and overwriting refused,
    // EContainerError ("File '%s' is read only! Cannot open for overwrite.") when it cannot take
    // its name otherwise.
    void Commit();

private:
    // Create the file in the folder without a name, or under a temporary name from the pattern;
    // false when that fails.
    bool CreateUnnamed(const std::string& folder);
    bool CreateNamed(const std::string& pattern);
    void CommitUnnamed();
    void CommitNamed();

    std::string FFinalName;
    // Empty while the file has no name.
    std::string FTempName;
    const TOverwrite FOverwrite;
    int FHandle = -1;
    unsigned FMode = 0;
    // Whether the file still needs FMode: a file created without a name has it from the start.
    bool FModePending = true;
};
