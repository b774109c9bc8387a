#include "LanguageSwitch.h"

#include "language/LangWatchable.h"
#include "language/MsgText.h"
#include "settings/Settings.h"

void SwitchToNextLanguage(TSettings& settings)
{
    LanguageHolder().NextLanguage();
    settings.ActiveLanguage = LanguageHolder().Language();
    settings.Save(true);
}

void SwitchToStoredLanguage(const TSettings& settings)
{
    LanguageHolder().SetLanguage(ValidLanguage(settings.ActiveLanguage));
}
