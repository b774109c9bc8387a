#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TFileInfo;
class TContainer;

// What the program knows of an open container besides its file.
struct TContainerState
{
    std::string FPassword;  // the password as typed when the container was opened or saved, offered at
                            // the next password question (the container holds the key made from it);
                            // empty for a new one, wiped with the remembered password
    bool FModified = false; // created here and not yet saved: the caption shows "(unsaved)"
    bool FNew = false;      // composed here (new, reply, forward, dropped text)
    bool FSaved = false;    // the container has a file the user chose: closing never asks
    bool FOwn = false;      // written by this user (computed when the window is shown)
    int FExtraValue = 0;    // numeric field 1 of the container's extra record
};

// One container the user has open, as the session keeps it and one window shows it: the container
// itself (none before one is made or opened, and while a flow has taken it out), its state, and
// the attachments opened from it in two index-parallel lists: the paths they were decrypted to in
// the work folder and the catalog entries they came from (which carry their entry numbers). An
// entry's modification time is the last-write time the file was given when it was decrypted,
// against which a change is noticed.
class TOpenContainer
{
public:
    TOpenContainer();
    TOpenContainer(const TOpenContainer&) = delete;
    TOpenContainer& operator=(const TOpenContainer&) = delete;
    ~TOpenContainer();

    bool HasContainer() const { return FContainer != nullptr; }
    TContainer& Container() { return *FContainer; }
    const TContainer& Container() const { return *FContainer; }
    // Takes an open container; the one held before is closed and freed.
    void Assign(std::unique_ptr<TContainer> container);
    // Gives the container up (the caller closes and frees it); none is held afterwards.
    std::unique_ptr<TContainer> Release();
    // Runs before the container is replaced or given up: a view that shows its catalog lets go.
    void SetBeforeChange(std::function<void()> beforeChange) { FBeforeChange = std::move(beforeChange); }

    TContainerState& State() { return FState; }
    const TContainerState& State() const { return FState; }
    std::vector<std::string>& OpenedFiles() { return FOpenedFiles; }
    std::vector<std::shared_ptr<TFileInfo>>& OpenedEntries() { return FOpenedEntries; }
    // The file the entry was opened to before; empty when it was not, or the file is gone.
    std::string OpenedFileOf(const TFileInfo& entry) const;

private:
    std::unique_ptr<TContainer> FContainer;
    TContainerState FState;
    std::vector<std::string> FOpenedFiles;
    std::vector<std::shared_ptr<TFileInfo>> FOpenedEntries;
    std::function<void()> FBeforeChange;
};
