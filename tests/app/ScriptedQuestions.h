#pragma once

#include "app/Dialogs.h"

#include <deque>
#include <functional>
#include <optional>

// The user, scripted: a queue of the prompts a test expects (messages, questions, file and folder
// choices, passwords), each with the answer to give. An unexpected prompt (another kind, caption
// or text, or one more than scripted) fails the test and is answered with its stopping button
// (No, Cancel, Abort) or as cancelled; prompts left unasked fail the test when the script ends.
// What needs no answer is recorded: the places opened with the shell, the wait cursor and the
// progress displays.
class ScriptedQuestions : public IDialogs
{
public:
    enum class Kind
    {
        InfoBox,
        YesNo,
        YesNoCancel,
        AbortRetryIgnore,
        OpenFile,
        OpenFiles,
        SaveFile,
        Folder,
        Password,
        NewPassword
    };
    using enum Kind;

    ScriptedQuestions() = default;
    ScriptedQuestions(const ScriptedQuestions&) = delete;
    ScriptedQuestions& operator=(const ScriptedQuestions&) = delete;
    ~ScriptedQuestions() override;

    // whenAsked runs when the prompt comes, before it is answered (the user acting meanwhile).
    ScriptedQuestions& Expect(Kind kind, std::string caption, std::string text, TAnswer answer,
                              std::function<void()> whenAsked = {})
    {
        FExpected.push_back({kind, std::move(caption), std::move(text), answer, std::move(whenAsked), {}});
        return *this;
    }
    ScriptedQuestions& ExpectInfoBox(std::string caption, std::string text)
    {
        return Expect(InfoBox, std::move(caption), std::move(text), TAnswer::Yes);
    }
    // A file or folder dialog answered with the chosen paths (none: cancelled). The text checked
    // is the suggested name of a save dialog, empty for the others.
    ScriptedQuestions& ExpectChoice(Kind kind, std::string caption, std::vector<std::string> choice,
                                    std::string suggestedName = {})
    {
        FExpected.push_back({kind, std::move(caption), std::move(suggestedName), TAnswer::Yes, {}, std::move(choice)});
        return *this;
    }
    // A password dialog that must offer the initial text; no answer cancels it.
    ScriptedQuestions& ExpectPassword(Kind kind, std::string caption, std::string initial,
                                      std::optional<std::string> answer)
    {
        return ExpectChoice(kind, std::move(caption),
                            answer ? std::vector{std::move(*answer)} : std::vector<std::string>{}, std::move(initial));
    }

    bool AllAsked() const { return FExpected.empty(); }

    using TText = const std::string&;
    void ShowInfoBox(TText caption, TText text) override { Answer(InfoBox, caption, text, TAnswer::Yes); }
    TAnswer AskYesNo(TText caption, TText text) override { return Answer(YesNo, caption, text, TAnswer::No); }
    TAnswer AskYesNoCancel(TText caption, TText text) override
    {
        return Answer(YesNoCancel, caption, text, TAnswer::Cancel);
    }
    TAnswer AskAbortRetryIgnore(TText caption, TText text) override
    {
        return Answer(AbortRetryIgnore, caption, text, TAnswer::Abort);
    }
    std::string AskOpenFile(TText caption, TText, TText folder) override
    {
        FFoldersOffered.push_back(folder);
        return First(Choice(OpenFile, caption));
    }
    std::vector<std::string> AskOpenFiles(TText caption, TText, TText folder) override
    {
        FFoldersOffered.push_back(folder);
        return Choice(OpenFiles, caption);
    }
    std::string AskSaveFile(TText caption, TText, TText folder, TText name) override
    {
        FFoldersOffered.push_back(folder);
        return First(Choice(SaveFile, caption, name));
    }
    std::string AskFolder(TText caption, TText folder) override
    {
        FFoldersOffered.push_back(folder);
        return First(Choice(Folder, caption));
    }
    bool AskPassword(TText caption, TText initial, std::string& password) override
    {
        return Secret(Password, caption, initial, password);
    }
    bool AskNewPassword(TText caption, TText initial, std::string& password) override
    {
        return Secret(NewPassword, caption, initial, password);
    }
    bool OpenWithShell(TText pathOrUrl) override
    {
        FShellOpened.push_back(pathOrUrl);
        return true;
    }
    std::unique_ptr<TGuard> BusyCursor() override;
    void BeginProgress(const std::string& caption, const std::string& fileName) override;
    bool StepProgress(std::int64_t done, std::int64_t total) override;
    void EndProgress() override;

    std::vector<std::string> FShellOpened;
    // The folder each file or folder dialog was told to start in, in order.
    std::vector<std::string> FFoldersOffered;
    int FBusyDepth = 0;
    // "caption: file name" of every progress display begun; how many are still running.
    std::vector<std::string> FProgressBegun;
    int FProgressRunning = 0;
    // Steps shown in all progress displays so far; at step FCancelAtStep (0: never) the user
    // presses the display's Cancel, and it answers false until it ends.
    int FProgressSteps = 0;
    int FCancelAtStep = 0;
    // Runs once, at the next progress step (the user acting while the display shows).
    std::function<void()> FDuringProgress;

private:
    struct Prompt
    {
        Kind FKind;
        std::string FCaption;
        std::string FText;
        TAnswer FAnswer;
        std::function<void()> FWhenAsked;
        std::vector<std::string> FChoice;
    };

    // The scripted prompt, or none when this one was not expected.
    std::optional<Prompt> Next(Kind kind, const std::string& caption, const std::string& text);
    TAnswer Answer(Kind kind, const std::string& caption, const std::string& text, TAnswer stopping)
    {
        const std::optional<Prompt> prompt = Next(kind, caption, text);
        return prompt ? prompt->FAnswer : stopping;
    }
    std::vector<std::string> Choice(Kind kind, const std::string& caption, const std::string& text = {})
    {
        std::optional<Prompt> prompt = Next(kind, caption, text);
        return prompt ? std::move(prompt->FChoice) : std::vector<std::string>{};
    }
    static std::string First(const std::vector<std::string>& choice) { return choice.empty() ? "" : choice.front(); }
    bool Secret(Kind kind, const std::string& caption, const std::string& initial, std::string& password)
    {
        const std::vector<std::string> choice = Choice(kind, caption, initial);
        password = First(choice);
        return !choice.empty();
    }

    std::deque<Prompt> FExpected;
    bool FProgressCancelled = false;
};
