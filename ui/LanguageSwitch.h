#pragma once

class TSettings;

// What a click on a language flag does: the next language, stored as the active language and
// saved at once, so that the choice survives whatever happens next.
void SwitchToNextLanguage(TSettings& settings);

// What every window does when it is built, once its language watcher is registered: switches
// every open window to the stored language (which relabels the new one too).
void SwitchToStoredLanguage(const TSettings& settings);
