#pragma once

#include "UserInterface.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// What the flows ask of the user beyond messages and questions. Each window gives the real
// dialogs, owned by itself; tests give scripted answers. Texts and paths are UTF-8.

// File and folder choice. Filters are the message table's texts ("Container files (*.%0:s)|*.%0:s"
// formatted): pairs of description and pattern separated by '|'. An empty answer means cancelled.
class IFileDialogs
{
public:
    virtual ~IFileDialogs() = default;
    virtual std::string AskOpenFile(const std::string& caption, const std::string& filter,
                                    const std::string& folder) = 0;
    // Full paths of every chosen file, in the order the dialog gives them.
    virtual std::vector<std::string> AskOpenFiles(const std::string& caption, const std::string& filter,
                                                  const std::string& folder) = 0;
    virtual std::string AskSaveFile(const std::string& caption, const std::string& filter, const std::string& folder,
                                    const std::string& suggestedName) = 0;
    virtual std::string AskFolder(const std::string& caption, const std::string& folder) = 0;
};

// The two password dialogs. True, with the password, only when the user confirmed.
class IPasswordPrompts
{
public:
    virtual ~IPasswordPrompts() = default;
    // The password of an existing container, asked once.
    virtual bool AskPassword(const std::string& caption, const std::string& initial, std::string& password) = 0;
    // A new password, asked twice with the quality meter.
    virtual bool AskNewPassword(const std::string& caption, const std::string& initial, std::string& password) = 0;
};

// The desktop's "open": a file, a folder or a web address with its default handler. False when
// nothing could open it (the implementation has told the user why).
class IShell
{
public:
    virtual ~IShell() = default;
    virtual bool OpenWithShell(const std::string& pathOrUrl) = 0;
};

// Long work: the wait cursor for the life of a guard, and a progress display for copies that take
// longer than about half a second.
class IBusyIndicator
{
public:
    class TGuard
    {
    public:
        virtual ~TGuard() = default;
    };
    virtual ~IBusyIndicator() = default;
    // The wait cursor until the guard is gone (also when the flow ends by an exception).
    virtual std::unique_ptr<TGuard> BusyCursor() = 0;
    // Starts reporting the progress of one piece of work on a file; the display appears only when
    // the work lasts. Step answers false once the user has cancelled.
    virtual void BeginProgress(const std::string& caption, const std::string& fileName) = 0;
    virtual bool StepProgress(std::int64_t done, std::int64_t total) = 0;
    virtual void EndProgress() = 0;
};

// Everything a flow may ask of the user through one window.
class IDialogs : public IUserInterface, public IFileDialogs, public IPasswordPrompts, public IShell, public IBusyIndicator
{
};
