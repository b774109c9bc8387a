#include "EnvironmentLanguage.h"

#include <array>
#include <cctype>
#include <string>

TLanguage LanguageOfLocale(std::string_view localeName)
{
    // The language code: the letters before "_", "." or "@".
    std::string code;
    for (const char c : localeName) {
        if (c == '_' || c == '.' || c == '@' || c == '-') {
            break;
        }
        code += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (code == "de") {
        return LangGerman;
    }
    if (code == "fr") {
        return LangFrench;
    }
    if (code == "eo") {
        return LangEsperanto;
    }
    return LangEnglish;
}

TLanguage LanguageFromEnvironment(const TEnvironmentLookup& lookup)
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = lookup(name);
        if (value != nullptr && *value != '\0') {
            return LanguageOfLocale(value);
        }
    }
    return LangEnglish;
}
