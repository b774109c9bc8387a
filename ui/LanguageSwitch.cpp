#include "LanguageSwitch.h"

#include "language/LangWatchable.h"
#include "language/MsgText.h"
#include "language/Watcher.h"
#include "settings/Settings.h"

void SwitchToNextLanguage(TSettings& settings)
{
    LanguageHolder().NextLanguage();
    settings.ActiveLanguage = LanguageHolder().Language();
    settings.Save(true);
}

void SwitchToStoredLanguage(const TSettings& settings, TWatcher& newWindow)
{
    TLangWatchable& holder = LanguageHolder();
    const TLanguage stored = ValidLanguage(settings.ActiveLanguage);
    if (holder.Language() != stored) {
        holder.SetLanguage(stored);
    } else {
        newWindow.Update(holder);
    }
}
