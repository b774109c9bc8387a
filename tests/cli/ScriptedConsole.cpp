#include "ScriptedConsole.h"

#include <gtest/gtest.h>

TScriptedConsole::~TScriptedConsole()
{
    for (const TStep& step : FSteps) {
        ADD_FAILURE() << "expected prompt never came: '" << step.Expected << "'";
    }
}

void TScriptedConsole::ExpectSecret(std::string promptPart, std::string answer)
{
    FSteps.push_back({TKind::Secret, std::move(promptPart), std::move(answer)});
}

void TScriptedConsole::ExpectEndOfInput()
{
    FSteps.push_back({TKind::EndOfInput, "(end of input)", {}});
}

void TScriptedConsole::ExpectQuestion(std::string questionPart, bool answer)
{
    FSteps.push_back({TKind::Question, std::move(questionPart), {}, answer});
}

std::optional<std::string> TScriptedConsole::ReadSecret(const std::string& prompt)
{
    if (FSteps.empty() || FSteps.front().Kind == TKind::Question) {
        ADD_FAILURE() << "unexpected password prompt '" << prompt << "'";
        return std::nullopt;
    }
    const TStep step = FSteps.front();
    FSteps.pop_front();
    if (step.Kind == TKind::EndOfInput) {
        return std::nullopt;
    }
    if (FInteractive) {
        EXPECT_NE(prompt.find(step.Expected), std::string::npos) << "prompt '" << prompt << "'";
    }
    return step.Answer;
}

bool TScriptedConsole::Confirm(const std::string& question)
{
    EXPECT_TRUE(FInteractive) << "a question without a terminal: '" << question << "'";
    if (FSteps.empty() || FSteps.front().Kind != TKind::Question) {
        ADD_FAILURE() << "unexpected question '" << question << "'";
        return false;
    }
    const TStep step = FSteps.front();
    FSteps.pop_front();
    EXPECT_NE(question.find(step.Expected), std::string::npos) << "question '" << question << "'";
    return step.Yes;
}
