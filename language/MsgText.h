#pragma once

#include "Message.h"

#include <string>
#include <string_view>

// The text of a message in the current language of the language holder, or the English text
// when that slot is empty. Never fails; never empty for a message with an English text.
std::string MsgText(const TMessage& message);

// The language chosen at the first start from the user's locale name ("de_DE.UTF-8", "fr_CA",
// "C"): German and French are recognised, everything else is English. Esperanto is never chosen
// automatically.
TLanguage FirstStartLanguage(std::string_view localeName);

// A stored language index as a valid one: anything outside 0 to 3 is English.
TLanguage ValidLanguage(long long storedIndex);
