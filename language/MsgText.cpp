#include "MsgText.h"

#include "LangWatchable.h"

std::string MsgText(const TMessage& message)
{
    const char* text = message.Text[LanguageHolder().Language()];
    if (text == nullptr || *text == '\0') {
        text = message.Text[LangEnglish];
    }
    return text;
}

TLanguage FirstStartLanguage(std::string_view localeName)
{
    // The language part is what stands before the territory, the encoding and the modifier.
    const std::string_view language = localeName.substr(0, localeName.find_first_of("_.@-"));
    if (language == "de") {
        return LangGerman;
    }
    if (language == "fr") {
        return LangFrench;
    }
    return LangEnglish;
}

TLanguage ValidLanguage(long long storedIndex)
{
    if (storedIndex < 0 || storedIndex >= LanguageCount) {
        return LangEnglish;
    }
    return static_cast<TLanguage>(storedIndex);
}
