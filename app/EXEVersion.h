#pragma once

#include <cstdint>
#include <string>

// The file version of a program file. The build writes it into every program as a version block:
// the marker "SEALVANE-VERSION-BLOCK:" followed by major.minor.release.build in decimal and a zero
// byte (VersionBlock.cmake). Read scans any file for the block, so the running program and an
// installed copy that is not running are read the same way.
class TEXEVersion
{
public:
    std::string VersionText; // major.minor.release, without the build; empty when nothing was read
    std::int32_t Major = 0;
    std::int32_t Minor = 0;
    std::int32_t Release = 0;
    std::int32_t Build = 0;

    // Fills the fields from the file's version block: false, with every field cleared, when the
    // file cannot be read or holds no valid block (four numbers of at most 65535).
    bool Read(const std::string& fileName);
    // Reads the program file of the running process.
    bool ReadRunningProgram();
    void Clear();
};

// The path of the running program file.
std::string RunningProgramFile();

// Whether a running copy may replace the installed copy: both of the same release (equal version
// texts) and the running one of a higher build (no number lower, not all equal).
bool IsNewerBuildOfSameRelease(const TEXEVersion& running, const TEXEVersion& installed);
