#pragma once

#include "language/Message.h"

#include <functional>

// The language of messages as the environment sets it, with the usual precedence: LC_ALL, then
// LC_MESSAGES, then LANG (the first that is set and not empty).
using TEnvironmentLookup = std::function<const char*(const char* name)>;
TLanguage LanguageFromEnvironment(const TEnvironmentLookup& lookup);
