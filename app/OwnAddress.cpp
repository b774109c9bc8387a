#include "OwnAddress.h"

#include "container/ExtraString.h"
#include "container/TextCompare.h"
#include "richtext/PlainMailAddress.h"
#include "settings/Settings.h"
#include "settings/TrimText.h"

#include <string_view>

namespace {

// The address as compared: trimmed, the address inside "Name <address>", letter case folded.
std::wstring AddressKey(std::string_view address)
{
    return CaseFoldedKey(TrimText(BareMailAddress(TrimText(address))));
}

bool SameAddress(const std::wstring& key, std::string_view candidate)
{
    const std::wstring candidateKey = AddressKey(candidate);
    return !candidateKey.empty() && candidateKey == key;
}

} // namespace

bool IsOwnSenderAddress(const std::string& senderAddress, const TSettings& settings)
{
    const std::string sender = TrimText(senderAddress);
    if (sender.empty()) {
        return true;
    }
    const std::wstring key = AddressKey(sender);
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

TBoxAddresses AddressesOfBox(const std::string& box, const TSettings& settings)
{
    const std::string text = TrimText(box);
    if (IsOwnSenderAddress(text, settings)) {
        return {text, {}};
    }
    return {settings.LastUsedMailAddress, IsPlainMailAddress(text) ? text : std::string()};
}
