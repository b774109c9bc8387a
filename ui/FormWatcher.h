#pragma once

#include "language/LangWatchable.h"
#include "language/Watcher.h"

#include <QWidget>

// A window's language watcher: registered with the language holder for the window's life, it
// has the window set all its texts again whenever the language is set. Every window of ours has
// one, so this is also where each window is made to show its hints while it is not the active
// window.
template <typename TForm> class TFormWatcher : public TWatcher
{
public:
    explicit TFormWatcher(TForm& form) : FForm(form)
    {
        FForm.setAttribute(Qt::WA_AlwaysShowToolTips);
        LanguageHolder().Attach(*this);
    }
    ~TFormWatcher() override { LanguageHolder().Detach(*this); }
    TFormWatcher(const TFormWatcher&) = delete;
    TFormWatcher& operator=(const TFormWatcher&) = delete;

    void Update(TWatchable&) override { FForm.Relabel(); }

private:
    TForm& FForm;
};
