#pragma once

#include "EXEVersion.h"
#include "container/ExtraString.h"

class TSettings;

// Gives new containers' extra records what they take from the program: the last used mail
// address from the settings and the running program's version. Set it with
// TExtraString::SetProvider for as long as it lives.
class TAppExtraProvider : public TExtraProvider
{
public:
    // Reads the running program's version now.
    explicit TAppExtraProvider(const TSettings& settings);
    TAppExtraProvider(const TSettings& settings, const TEXEVersion& version);

    std::string LastUsedMailAddress() const override;
    std::array<std::int32_t, 4> VersionNumbers() const override;
    std::string VersionText() const override;

private:
    const TSettings& FSettings;
    TEXEVersion FVersion;
};
