#include "LanguageSwitch.h"

#include "language/LangWatchable.h"
#include "settings/Settings.h"

void SwitchToNextLanguage(TSettings& settings)
{
    LanguageHolder().NextLanguage();
    settings.ActiveLanguage = LanguageHolder().Language();
    settings.Save(true);
}
