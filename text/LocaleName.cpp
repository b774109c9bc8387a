#include "LocaleName.h"

#include "AsciiCase.h"

std::string LanguageCodeOfLocale(std::string_view localeName)
{
    return LowerAsciiText(localeName.substr(0, localeName.find_first_of("_.@-")));
}
