#include "InstallRecord.h"

#include "TrimText.h"

#include <cstdlib>
#include <fstream>
#include <sys/stat.h>

namespace {

enum class TCacheState
{
    NotAsked,
    NotFound,
    Found
};

TCacheState CacheState = TCacheState::NotAsked;
std::string CachedPath;

// The value of the first "ProgPath" line; comments, section headers and other keys are skipped.
std::string RecordedProgPath(const std::string& recordFile)
{
    std::ifstream record(recordFile);
    std::string line;
    while (std::getline(record, line)) {
        const std::string trimmed = TrimText(line);
        if (trimmed.empty() || trimmed.front() == '#' || trimmed.front() == ';' || trimmed.front() == '[') {
            continue;
        }
        const std::size_t equals = trimmed.find('=');
        if (equals != std::string::npos && TrimText(std::string_view(trimmed).substr(0, equals)) == "ProgPath") {
            return TrimText(std::string_view(trimmed).substr(equals + 1));
        }
    }
    return {};
}

bool NamesExistingFile(const std::string& path)
{
    struct stat info
    {
    };
    return !path.empty() && path.front() == '/' && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

std::string InstallRecordFile()
{
    const char* configured = std::getenv("SEALVANE_INSTALL_RECORD");
    if (configured != nullptr && *configured != '\0') {
        return configured;
    }
    return "/etc/sealvane/install.conf";
}

bool IsInstalled(std::string& progPath)
{
    if (CacheState != TCacheState::Found) {
        CacheState = TCacheState::NotFound;
        CachedPath.clear();
        const std::string path = RecordedProgPath(InstallRecordFile());
        if (NamesExistingFile(path)) {
            CacheState = TCacheState::Found;
            CachedPath = path;
        }
    }
    progPath = CachedPath;
    return CacheState == TCacheState::Found;
}

bool IsInstalled()
{
    std::string ignored;
    return IsInstalled(ignored);
}

void ResetInstalledCache()
{
    CacheState = TCacheState::NotAsked;
    CachedPath.clear();
}
