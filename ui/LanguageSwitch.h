#pragma once

class TSettings;

// What a click on a language flag does: the next language, stored as the active language and
// saved at once, so that the choice survives whatever happens next.
void SwitchToNextLanguage(TSettings& settings);
