#include "ScriptedQuestions.h"

#include <gtest/gtest.h>

namespace {

using Kind = ScriptedQuestions::Kind;

const char* NameOf(Kind kind)
{
    static const char* const Names[] = {
        "message box",      "Yes/No question",    "Yes/No/Cancel question", "Abort/Retry/Ignore question",
        "open-file dialog", "open-files dialog",  "save-file dialog",       "folder dialog",
        "password dialog",  "new-password dialog"};
    return Names[static_cast<int>(kind)];
}

// Whether the question has the button the script answers with.
bool Offers(Kind kind, TAnswer answer)
{
    const bool yesNo = answer == TAnswer::Yes || answer == TAnswer::No;
    return kind == Kind::YesNo         ? yesNo
           : kind == Kind::YesNoCancel ? yesNo || answer == TAnswer::Cancel
           : kind == Kind::AbortRetryIgnore
               ? answer == TAnswer::Abort || answer == TAnswer::Retry || answer == TAnswer::Ignore
               : true;
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
    return ExpectChoice(kind, std::move(caption), answer ? std::vector{std::move(*answer)} : std::vector<std::string>{},
                        std::move(initial));
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

bool ScriptedQuestions::Secret(Kind kind, const std::string& caption, const std::string& initial, std::string& password)
{
    const std::vector<std::string> choice = Choice(kind, caption, initial);
    password = First(choice);
    return !choice.empty();
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
