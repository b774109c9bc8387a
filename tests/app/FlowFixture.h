#pragma once

#include "ContainerFixture.h"
#include "Sandbox.h"
#include "ScriptedQuestions.h"
#include "app/ApplicationCommands.h"
#include "app/ContainerWindow.h"
#include "app/OpenContainer.h"
#include "app/Session.h"
#include "app/TemporaryFiles.h"
#include "mail/MailClient.h"
#include "settings/Settings.h"

// A container window without widgets: the editor is a string (taken as given, rich or not) that
// counts as changed once typed, the list's selection a list of rows; showing, closing and storing
// the geometry are recorded.
class TestWindow : public IContainerWindow
{
public:
    using TCloseQuery = std::function<bool(IContainerWindow&)>;

    TestWindow(IDialogs& dialogs, TCloseQuery closeQuery) : FDialogs(dialogs), FCloseQuery(std::move(closeQuery)) {}

    std::string Title() const override { return FTitle; }

    void LoadContent() override
    {
        FText = Shown().Container().GetMemo();
        FTextChanged = false;
    }
    void RefreshCommandState() override {}
    void BringToFront() override { FVisible = true; }
    void HideWindow() override { FVisible = false; }
    void SetTemporarilyNotOnTop(bool notOnTop) override { FNotOnTop = notOnTop; }
    void RequestClose() override { FClosed = FCloseQuery(*this); }

    std::string EditorText(bool) const override { return FText; }
    void SetEditorText(const std::string& text, bool rich) override
    {
        FText = text;
        FRich = rich;
        FTextChanged = false;
    }
    bool TextChanged() const override { return FTextChanged; }
    // The user types the text.
    void Type(const std::string& text)
    {
        FText = text;
        FTextChanged = true;
    }
    bool EditorEmpty() const override { return FText.empty(); }
    void ApplyDefaultFont() override {}
    void FocusEditor() override {}
    std::string ReplyAddress() const override { return FReplyAddress; }
    void SetReplyAddress(const std::string& address) override { FReplyAddress = address; }
    std::vector<int> SelectedAttachmentRows() const override { return FSelected; }
    void StoreGeometry() override {}
    IDialogs& Dialogs() override { return FDialogs; }

    // The stored names of the container's entries in catalog order.
    std::vector<std::string> AttachmentNames()
    {
        std::vector<std::string> names;
        for (const auto& entry : Shown().Container().GetCatalog()) {
            names.push_back(entry->FPath.FileName());
        }
        return names;
    }

    std::string FTitle;
    std::string FText;
    bool FRich = false;
    bool FTextChanged = false;
    std::string FReplyAddress;
    std::vector<int> FSelected;
    bool FVisible = false;
    bool FNotOnTop = false;
    bool FClosed = false;

private:
    IDialogs& FDialogs;
    TCloseQuery FCloseQuery;
};

// The mail program: every message handed over is recorded and answered with FResult; FWhileOpen
// runs meanwhile (the user acting while the compose window is open).
class RecordingMailClient : public IMailClient
{
public:
    int SendMail(const TMailMessage& message) override
    {
        FMessages.push_back(message);
        if (FWhileOpen) {
            FWhileOpen();
        }
        return FResult;
    }

    std::vector<TMailMessage> FMessages;
    int FResult = HandedOver;
    std::function<void()> FWhileOpen;
};

// Settings on their defaults in a sandbox, the work folder and the user's files in a scratch
// folder, one scripted user for every window, windows created as the program creates them (on
// the session's list, closing through the close flow), and the application's commands over them.
class FlowFixture : public ContainerFixture, public IContainerWindowFactory
{
protected:
    FlowFixture();

    IContainerWindow& CreateContainerWindow() override;

    // The only window created so far; fails the test when there is not exactly one.
    TestWindow& OnlyWindow()
    {
        EXPECT_EQ(FWindows.size(), 1u);
        return *FWindows.back();
    }
    // A new container in a new window, as "New..." makes it.
    TestWindow& NewWindow()
    {
        FCommands.NewContainer();
        return *FWindows.back();
    }
    // A closed container file as this program writes it: MakeContainer's, with an extra record
    // naming the sender.
    void MakeMessage(const std::string& file, const std::string& password,
                     const std::vector<std::pair<std::string, std::string>>& files, const std::string& memo = {},
                     const std::string& sender = {});
    // The container file opened in a new window with its password.
    TestWindow& OpenedWindow(const std::string& fileName, const std::string& password);
    // The memo of a closed container file.
    std::string Memo(const std::string& fileName, const std::string& password);

    Sandbox FSandbox;
    TSettings FSettings{[](const std::string& caption, const std::string& text) {
        ADD_FAILURE() << "settings error [" << caption << "] " << text;
    }};
    TTemporaryFiles FTemporaryFiles;
    TSession FSession{FTemporaryFiles};
    ScriptedQuestions FUser;
    std::vector<std::unique_ptr<TestWindow>> FWindows;
    RecordingMailClient FMail;
    TApplicationCommands FCommands{FSettings, FSession, *this, FUser, FMail};
};
