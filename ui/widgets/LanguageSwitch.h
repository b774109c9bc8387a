#pragma once

#include "language/Message.h"

class QAction;
class QMenu;
class TSettings;
class TWatcher;

// What a click on a language flag does: the next language, stored as the active language and
// saved at once, so that the choice survives whatever happens next.
void SwitchToNextLanguage(TSettings& settings);

// What every window does when it is built, once its language watcher is registered. When the
// stored language differs from the current one, every open window switches to it (which
// relabels the new one too). Otherwise only the new window takes its texts: the open ones keep
// theirs, so a caption their owner set (a password dialog's title) is not replaced whenever
// another window, such as a message box, opens.
void SwitchToStoredLanguage(const TSettings& settings, TWatcher& newWindow);

// Fills a "Language" menu with one checkable item per language, exclusive of each other; choosing
// one sets the language. The items take their captions when the window relabels itself.
void AddLanguageItems(QMenu& menu, QAction* (&items)[LanguageCount]);
