#pragma once

#include "app/UserInterface.h"

class QWidget;
class TSettings;

// The real message box and questions, owned by a window.
class TQtUserInterface : public IUserInterface
{
public:
    TQtUserInterface(QWidget* owner, TSettings& settings);

    void ShowInfoBox(const std::string& caption, const std::string& text) override;
    TAnswer AskYesNo(const std::string& caption, const std::string& text) override;
    TAnswer AskYesNoCancel(const std::string& caption, const std::string& text) override;
    TAnswer AskAbortRetryIgnore(const std::string& caption, const std::string& text) override;

private:
    QWidget* FOwner;
    TSettings& FSettings;
};
