#include "LanguageSwitch.h"

#include "Artwork.h"

#include "language/LangWatchable.h"
#include "language/MsgText.h"
#include "language/Watcher.h"
#include "settings/Settings.h"

#include <QActionGroup>
#include <QMenu>

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

void AddLanguageItems(QMenu& menu, QAction* (&items)[LanguageCount])
{
    auto* group = new QActionGroup(&menu);
    for (int language = 0; language < LanguageCount; ++language) {
        items[language] = menu.addAction(Artwork::Flag(static_cast<TLanguage>(language)), QString());
        items[language]->setObjectName(QStringLiteral("LanguageAction%1").arg(language));
        items[language]->setCheckable(true);
        group->addAction(items[language]);
        QObject::connect(items[language], &QAction::triggered, &menu,
                         [language] { LanguageHolder().SetLanguage(static_cast<TLanguage>(language)); });
    }
}
