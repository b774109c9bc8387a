#pragma once

#include "Message.h"
#include "Watchable.h"

// Holds the current user-interface language and tells every registered window when it is set.
class TLangWatchable : public TWatchable
{
public:
    TLanguage Language() const { return FLanguage; }

    // Sets the language (an index outside 0 to 3 means English) and notifies, even when the
    // language does not change, so that every window relabels itself.
    void SetLanguage(TLanguage index);
    // The next language in the order English, German, French, Esperanto, then English again.
    void NextLanguage();

private:
    TLanguage FLanguage = LangEnglish;
};

// The one language holder of the process; message lookups read its language.
TLangWatchable& LanguageHolder();
