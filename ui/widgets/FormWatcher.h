#pragma once

#include "Placement.h"
#include "language/LangWatchable.h"
#include "language/Watcher.h"

#include <QWidget>

// A window's language watcher: registered with the language holder for the window's life, it
// has the window set all its texts again whenever the language is set. Every window of ours has
// one, so this is also where each window is made to show its hints while it is not the active
// window, and where a window that longer texts make larger is kept on the screen.
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

    void Update(TWatchable&) override
    {
        const QSize before = FForm.size();
        FForm.Relabel();
        KeepGrownWindowOnScreen(FForm, before);
    }

private:
    TForm& FForm;
};
