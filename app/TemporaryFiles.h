#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Every plain file the program writes into the work folder, in order of addition (a path may be
// listed more than once), until it has been wiped or no longer exists. One list serves the whole
// process.
class TTemporaryFiles
{
public:
    // Adds a file that the next close of a container window wipes; one kept to the end so far is
    // no longer kept (an opened attachment given back).
    void Add(const std::string& fileName);
    // Adds a file that only the program's closing sequence wipes, never the close of a container
    // window: a file dragged out to another program, which may read it after the window closed,
    // or an attachment opened from another window and not given back yet.
    void AddKeptToEnd(const std::string& fileName);
    const std::vector<std::string>& Files() const { return FFiles; }
    int Count() const { return static_cast<int>(FFiles.size()); }
    bool Contains(const std::string& fileName) const;

    // One pass over the list: each listed file that exists is wiped with the given cycles and
    // deleted, each that does not exist is dropped. Afterwards the list holds exactly the files
    // that exist and could not be wiped.
    void WipeTemporaryFiles(std::int32_t cycles);
    // The same pass when a container window closes: files kept to the end stay listed untouched.
    void WipeWindowFiles(std::int32_t cycles);

private:
    void Wipe(std::int32_t cycles, bool keptToEndToo);
    bool KeptToEnd(const std::string& fileName) const;

    std::vector<std::string> FFiles;
    std::vector<std::string> FKeptToEnd;
};
