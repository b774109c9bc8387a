#pragma once

#include <string>

// What the flows need of the user: the program's message box and the questions that steer a
// flow. The windows give the real dialogs (each owned by the window concerned); tests give
// scripted answers. Texts are UTF-8 and come from the message table.

// The button the user chose.
enum class TAnswer
{
    Yes,
    No,
    Cancel,
    Abort,
    Retry,
    Ignore
};

// The program's own message box: caption, text and one OK button.
class IMessages
{
public:
    virtual ~IMessages() = default;
    virtual void ShowInfoBox(const std::string& caption, const std::string& text) = 0;
};

// The system's standard questions. Each answers one of the buttons it shows; closing the dialog
// without a button answers No, Cancel or Abort respectively.
class IQuestions
{
public:
    virtual ~IQuestions() = default;
    // Yes or No.
    virtual TAnswer AskYesNo(const std::string& caption, const std::string& text) = 0;
    // Yes, No or Cancel.
    virtual TAnswer AskYesNoCancel(const std::string& caption, const std::string& text) = 0;
    // Abort, Retry or Ignore.
    virtual TAnswer AskAbortRetryIgnore(const std::string& caption, const std::string& text) = 0;
};

// Both, as one window offers them.
class IUserInterface : public IMessages, public IQuestions
{
};
