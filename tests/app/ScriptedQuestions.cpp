#include "ScriptedQuestions.h"

#include <gtest/gtest.h>

namespace {

using Kind = ScriptedQuestions::Kind;

const char* NameOf(Kind kind)
{
    switch (kind) {
    case Kind::InfoBox:
        return "message box";
    case Kind::YesNo:
        return "Yes/No question";
    case Kind::YesNoCancel:
        return "Yes/No/Cancel question";
    case Kind::AbortRetryIgnore:
        return "Abort/Retry/Ignore question";
    case Kind::OpenFile:
        return "open-file dialog";
    case Kind::OpenFiles:
        return "open-files dialog";
    case Kind::SaveFile:
        return "save-file dialog";
    case Kind::Folder:
        return "folder dialog";
    case Kind::Password:
        return "password dialog";
    case Kind::NewPassword:
        return "new-password dialog";
    }
    return "prompt";
}

bool Offers(Kind kind, TAnswer answer)
{
    switch (kind) {
    case Kind::YesNo:
        return answer == TAnswer::Yes || answer == TAnswer::No;
    case Kind::YesNoCancel:
        return answer == TAnswer::Yes || answer == TAnswer::No || answer == TAnswer::Cancel;
    case Kind::AbortRetryIgnore:
        return answer == TAnswer::Abort || answer == TAnswer::Retry || answer == TAnswer::Ignore;
    default:
        return true;
    }
}

class BusyGuard : public IBusyIndicator::TGuard
{
public:
    explicit BusyGuard(int& depth) : FDepth(depth) { ++FDepth; }
    ~BusyGuard() override { --FDepth; }

private:
    int& FDepth;
};

} // namespace

ScriptedQuestions::~ScriptedQuestions()
{
    for (const Prompt& prompt : FExpected) {
        ADD_FAILURE() << "expected " << NameOf(prompt.FKind) << " was never shown: [" << prompt.FCaption << "] "
                      << prompt.FText;
    }
}

ScriptedQuestions& ScriptedQuestions::Expect(Kind kind, std::string caption, std::string text, TAnswer answer,
                                             std::function<void()> whenAsked)
{
    EXPECT_TRUE(Offers(kind, answer)) << "the script answers a " << NameOf(kind) << " with a button it lacks";
    FExpected.push_back({kind, std::move(caption), std::move(text), answer, std::move(whenAsked), {}});
    return *this;
}

ScriptedQuestions& ScriptedQuestions::ExpectInfoBox(std::string caption, std::string text)
{
    return Expect(Kind::InfoBox, std::move(caption), std::move(text), TAnswer::Yes);
}

ScriptedQuestions& ScriptedQuestions::ExpectChoice(Kind kind, std::string caption, std::vector<std::string> choice,
                                                   std::string suggestedName)
{
    FExpected.push_back({kind, std::move(caption), std::move(suggestedName), TAnswer::Yes, {}, std::move(choice)});
    return *this;
}

ScriptedQuestions& ScriptedQuestions::ExpectPassword(Kind kind, std::string caption, std::string initial,
                                                     std::optional<std::string> answer)
{
    std::vector<std::string> choice;
    if (answer) {
        choice.push_back(std::move(*answer));
    }
    return ExpectChoice(kind, std::move(caption), std::move(choice), std::move(initial));
}

std::optional<ScriptedQuestions::Prompt> ScriptedQuestions::Next(Kind kind, const std::string& caption,
                                                                 const std::string& text)
{
    if (FExpected.empty()) {
        ADD_FAILURE() << "unexpected " << NameOf(kind) << ": [" << caption << "] " << text;
        return std::nullopt;
    }
    Prompt prompt = std::move(FExpected.front());
    FExpected.pop_front();
    if (prompt.FKind != kind || prompt.FCaption != caption || prompt.FText != text) {
        ADD_FAILURE() << "unexpected " << NameOf(kind) << ": [" << caption << "] " << text << "\n  instead of "
                      << NameOf(prompt.FKind) << ": [" << prompt.FCaption << "] " << prompt.FText;
        return std::nullopt;
    }
    if (prompt.FWhenAsked) {
        prompt.FWhenAsked();
    }
    return prompt;
}

TAnswer ScriptedQuestions::Answer(Kind kind, const std::string& caption, const std::string& text, TAnswer stopping)
{
    const std::optional<Prompt> prompt = Next(kind, caption, text);
    return prompt ? prompt->FAnswer : stopping;
}

std::vector<std::string> ScriptedQuestions::Choice(Kind kind, const std::string& caption, const std::string& text)
{
    std::optional<Prompt> prompt = Next(kind, caption, text);
    return prompt ? std::move(prompt->FChoice) : std::vector<std::string>{};
}

void ScriptedQuestions::ShowInfoBox(const std::string& caption, const std::string& text)
{
    Answer(Kind::InfoBox, caption, text, TAnswer::Yes);
}

TAnswer ScriptedQuestions::AskYesNo(const std::string& caption, const std::string& text)
{
    return Answer(Kind::YesNo, caption, text, TAnswer::No);
}

TAnswer ScriptedQuestions::AskYesNoCancel(const std::string& caption, const std::string& text)
{
    return Answer(Kind::YesNoCancel, caption, text, TAnswer::Cancel);
}

TAnswer ScriptedQuestions::AskAbortRetryIgnore(const std::string& caption, const std::string& text)
{
    return Answer(Kind::AbortRetryIgnore, caption, text, TAnswer::Abort);
}

std::string ScriptedQuestions::AskOpenFile(const std::string& caption, const std::string&, const std::string&)
{
    const std::vector<std::string> choice = Choice(Kind::OpenFile, caption);
    return choice.empty() ? std::string() : choice.front();
}

std::vector<std::string> ScriptedQuestions::AskOpenFiles(const std::string& caption, const std::string&,
                                                         const std::string&)
{
    return Choice(Kind::OpenFiles, caption);
}

std::string ScriptedQuestions::AskSaveFile(const std::string& caption, const std::string&, const std::string&,
                                           const std::string& suggestedName)
{
    const std::vector<std::string> choice = Choice(Kind::SaveFile, caption, suggestedName);
    return choice.empty() ? std::string() : choice.front();
}

std::string ScriptedQuestions::AskFolder(const std::string& caption, const std::string&)
{
    const std::vector<std::string> choice = Choice(Kind::Folder, caption);
    return choice.empty() ? std::string() : choice.front();
}

bool ScriptedQuestions::AskPassword(const std::string& caption, const std::string& initial, std::string& password)
{
    const std::vector<std::string> choice = Choice(Kind::Password, caption, initial);
    password = choice.empty() ? std::string() : choice.front();
    return !choice.empty();
}

bool ScriptedQuestions::AskNewPassword(const std::string& caption, const std::string& initial, std::string& password)
{
    const std::vector<std::string> choice = Choice(Kind::NewPassword, caption, initial);
    password = choice.empty() ? std::string() : choice.front();
    return !choice.empty();
}

bool ScriptedQuestions::OpenWithShell(const std::string& pathOrUrl)
{
    FShellOpened.push_back(pathOrUrl);
    return true;
}

std::unique_ptr<IBusyIndicator::TGuard> ScriptedQuestions::BusyCursor()
{
    return std::make_unique<BusyGuard>(FBusyDepth);
}

void ScriptedQuestions::BeginProgress(const std::string& caption, const std::string& fileName)
{
    FProgressBegun.push_back(caption + ": " + fileName);
    ++FProgressRunning;
    FProgressCancelled = false;
}

bool ScriptedQuestions::StepProgress(std::int64_t, std::int64_t)
{
    EXPECT_GT(FProgressRunning, 0) << "progress stepped outside Begin and End";
    FProgressCancelled = FProgressCancelled || ++FProgressSteps == FCancelAtStep;
    return !FProgressCancelled;
}

void ScriptedQuestions::EndProgress()
{
    EXPECT_GT(FProgressRunning, 0) << "progress ended without being begun";
    --FProgressRunning;
}
