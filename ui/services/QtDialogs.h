#pragma once

#include "QtUserInterface.h"
#include "app/Dialogs.h"

#include <QPointer>
#include <QString>

class QProgressDialog;
class QWidget;
class TSettings;

// The real dialogs of one window: message box and questions, file and folder choice, the two
// password dialogs, opening with the desktop's handler, the wait cursor and a progress display
// with Cancel that appears when a piece of work lasts longer than half a second.
class TQtDialogs : public IDialogs
{
public:
    TQtDialogs(QWidget* owner, TSettings& settings);
    ~TQtDialogs() override;

    void ShowInfoBox(const std::string& caption, const std::string& text) override;
    TAnswer AskYesNo(const std::string& caption, const std::string& text) override;
    TAnswer AskYesNoCancel(const std::string& caption, const std::string& text) override;
    TAnswer AskAbortRetryIgnore(const std::string& caption, const std::string& text) override;

    std::string AskOpenFile(const std::string& caption, const std::string& filter, const std::string& folder) override;
    std::vector<std::string> AskOpenFiles(const std::string& caption, const std::string& filter,
                                          const std::string& folder) override;
    std::string AskSaveFile(const std::string& caption, const std::string& filter, const std::string& folder,
                            const std::string& suggestedName) override;
    std::string AskFolder(const std::string& caption, const std::string& folder) override;

    bool AskPassword(const std::string& caption, const std::string& initial, std::string& password) override;
    bool AskNewPassword(const std::string& caption, const std::string& initial, std::string& password) override;

    bool OpenWithShell(const std::string& pathOrUrl) override;

    std::unique_ptr<TGuard> BusyCursor() override;
    void BeginProgress(const std::string& caption, const std::string& fileName) override;
    bool StepProgress(std::int64_t done, std::int64_t total) override;
    void EndProgress() override;

    // A filter of the message table ("desc|pattern|desc|pattern", patterns separated by ';') as
    // the file dialog takes it ("desc (pattern);;desc (pattern)").
    static QString QtFilter(const std::string& filter);
    // The suffix a saved file gets when the user types none: that of the filter's first pattern.
    static QString DefaultSuffix(const std::string& filter);

    static constexpr int ProgressDelayMs = 500;

private:
    QWidget* FOwner;
    TSettings& FSettings;
    TQtUserInterface FUserInterface;
    QPointer<QProgressDialog> FProgress;
};
