#include "LangWatchable.h"

#include "MsgText.h"

void TLangWatchable::SetLanguage(TLanguage index)
{
    FLanguage = ValidLanguage(index);
    Notify();
}

void TLangWatchable::NextLanguage()
{
    FLanguage = static_cast<TLanguage>((FLanguage + 1) % LanguageCount);
    Notify();
}

TLangWatchable& LanguageHolder()
{
    static TLangWatchable holder;
    return holder;
}
