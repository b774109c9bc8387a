#include "EnvironmentLanguage.h"

#include "language/MsgText.h"

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
