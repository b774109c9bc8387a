#pragma once

#include "Message.h"

#include <string>
#include <string_view>

// The text of a message in the current language of the language holder, or the English text
// when that slot is empty. Never fails; never empty for a message with an English text.
std::string MsgText(const TMessage& message);

// The interface language a locale name asks for by its language code, the code of a column of the
// message table: "de_DE.UTF-8" German, "fr_CA" French, "eo" Esperanto; anything else ("C",
// "POSIX", "en_GB", "") English.
TLanguage LanguageOfLocale(std::string_view localeName);

// The language chosen at the first start from the user's locale name: that of LanguageOfLocale,
// but Esperanto is never chosen automatically.
TLanguage FirstStartLanguage(std::string_view localeName);

// A stored language index as a valid one: anything outside 0 to 3 is English.
TLanguage ValidLanguage(long long storedIndex);
