#include "MsgText.h"

#include "LangWatchable.h"
#include "language/Messages.h"
#include "text/LocaleName.h"

std::string MsgText(const TMessage& message)
{
    const char* text = message.Text[LanguageHolder().Language()];
    if (text == nullptr || *text == '\0') {
        text = message.Text[LangEnglish];
    }
    return text;
}

TLanguage LanguageOfLocale(std::string_view localeName)
{
    const std::string code = LanguageCodeOfLocale(localeName);
    for (TLanguage language = 0; language < LanguageCount; ++language) {
        if (code == LanguageCodes[language]) {
            return language;
        }
    }
    return LangEnglish;
}

TLanguage FirstStartLanguage(std::string_view localeName)
{
    const TLanguage language = LanguageOfLocale(localeName);
    return language == LangEsperanto ? LangEnglish : language;
}

TLanguage ValidLanguage(long long storedIndex)
{
    if (storedIndex < 0 || storedIndex >= LanguageCount) {
        return LangEnglish;
    }
    return static_cast<TLanguage>(storedIndex);
}
