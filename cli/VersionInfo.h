#pragma once

#include "container/ExtraString.h"

#include <string>

// The tool's version as "1.0.0".
std::string VersionText();

// What the extra record of a container made by this tool carries: this tool's version; no mail
// address (the tool keeps no settings).
class TVersionProvider : public TExtraProvider
{
public:
    std::string LastUsedMailAddress() const override { return {}; }
    std::array<std::int32_t, 4> VersionNumbers() const override;
    std::string VersionText() const override;
};
