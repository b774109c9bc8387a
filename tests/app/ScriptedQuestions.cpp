#include "ScriptedQuestions.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

const char* NameOf(ScriptedQuestions::Kind kind)
{
    static const char* const Names[] = {
        "message box",      "Yes/No question",    "Yes/No/Cancel question", "Abort/Retry/Ignore question",
        "open-file dialog", "open-files dialog",  "save-file dialog",       "folder dialog",
        "password dialog",  "new-password dialog"};
    return Names[static_cast<int>(kind)];
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
    if (const std::function<void()> during = std::exchange(FDuringProgress, nullptr)) {
        during();
    }
    FProgressCancelled = FProgressCancelled || ++FProgressSteps == FCancelAtStep;
    return !FProgressCancelled;
}

void ScriptedQuestions::EndProgress()
{
    EXPECT_GT(FProgressRunning, 0) << "progress ended without being begun";
    --FProgressRunning;
}
