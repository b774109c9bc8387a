#pragma once

#include <string>
#include <string_view>

// The language code of a locale name, in lower case: what stands before the territory, the
// encoding and the modifier ("de_DE.UTF-8" and "DE" give "de", "fr-CA" "fr", "C.UTF-8" "c").
std::string LanguageCodeOfLocale(std::string_view localeName);
