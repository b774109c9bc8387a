#include "AppExtraProvider.h"

#include "settings/Settings.h"

namespace {

TEXEVersion RunningVersion()
{
    TEXEVersion version;
    version.ReadRunningProgram();
    return version;
}

} // namespace

TAppExtraProvider::TAppExtraProvider(const TSettings& settings) : TAppExtraProvider(settings, RunningVersion()) {}

TAppExtraProvider::TAppExtraProvider(const TSettings& settings, const TEXEVersion& version)
    : FSettings(settings), FVersion(version)
{
}

std::string TAppExtraProvider::LastUsedMailAddress() const
{
    return FSettings.LastUsedMailAddress;
}

std::array<std::int32_t, 4> TAppExtraProvider::VersionNumbers() const
{
    return {FVersion.Major, FVersion.Minor, FVersion.Release, FVersion.Build};
}

std::string TAppExtraProvider::VersionText() const
{
    return FVersion.VersionText;
}
