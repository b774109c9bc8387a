#pragma once

#include "language/LangWatchable.h"
#include "language/Watcher.h"

// A window's language watcher: registered with the language holder for the window's life, it
// has the window set all its texts again whenever the language is set.
template <typename TForm> class TFormWatcher : public TWatcher
{
public:
    explicit TFormWatcher(TForm& form) : FForm(form) { LanguageHolder().Attach(*this); }
    ~TFormWatcher() override { LanguageHolder().Detach(*this); }
    TFormWatcher(const TFormWatcher&) = delete;
    TFormWatcher& operator=(const TFormWatcher&) = delete;

    void Update(TWatchable&) override { FForm.Relabel(); }

private:
    TForm& FForm;
};
