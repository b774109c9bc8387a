#include "VersionInfo.h"

std::string VersionText()
{
    return std::to_string(SEALVANE_VERSION_MAJOR) + "." + std::to_string(SEALVANE_VERSION_MINOR) + "." +
           std::to_string(SEALVANE_VERSION_PATCH);
}

std::array<std::int32_t, 4> TVersionProvider::VersionNumbers() const
{
    return {SEALVANE_VERSION_MAJOR, SEALVANE_VERSION_MINOR, SEALVANE_VERSION_PATCH, 0};
}

std::string TVersionProvider::VersionText() const
{
    return ::VersionText();
}
