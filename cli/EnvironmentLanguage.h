#pragma once

#include "language/Message.h"

#include <functional>
#include <string_view>

// The interface language a locale name asks for: "de_DE.UTF-8" German, "fr…" French, "eo…"
// Esperanto; anything else ("C", "POSIX", "en_GB", "") English.
TLanguage LanguageOfLocale(std::string_view localeName);

// The language of messages as the environment sets it, with the usual precedence: LC_ALL, then
// LC_MESSAGES, then LANG (the first that is set and not empty).
using TEnvironmentLookup = std::function<const char*(const char* name)>;
TLanguage LanguageFromEnvironment(const TEnvironmentLookup& lookup);
