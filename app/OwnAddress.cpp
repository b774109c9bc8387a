#include "OwnAddress.h"

#include "container/ExtraString.h"
#include "container/TextCompare.h"
#include "settings/Settings.h"
#include "settings/TrimText.h"

#include <string_view>

namespace {

bool SameAddress(const std::wstring& key, std::string_view candidate)
{
    const std::string trimmed = TrimText(candidate);
    return !trimmed.empty() && CaseFoldedKey(trimmed) == key;
}

} // namespace

bool IsOwnSenderAddress(const std::string& senderAddress, const TSettings& settings)
{
    const std::string sender = TrimText(senderAddress);
    if (sender.empty()) {
        return true;
    }
    const std::wstring key = CaseFoldedKey(sender);
    if (SameAddress(key, settings.LastUsedMailAddress)) {
        return true;
    }
    // The last address counts also when the separator after it is missing.
    std::string_view rest = settings.OwnMailAddresses;
    while (!rest.empty()) {
        const std::size_t end = rest.find(TExtraString::Separator);
        if (SameAddress(key, rest.substr(0, end))) {
            return true;
        }
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return false;
}
