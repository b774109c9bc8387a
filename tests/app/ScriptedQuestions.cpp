#include "ScriptedQuestions.h"

#include <gtest/gtest.h>

namespace {

const char* NameOf(ScriptedQuestions::Kind kind)
{
    switch (kind) {
    case ScriptedQuestions::Kind::InfoBox:
        return "message box";
    case ScriptedQuestions::Kind::YesNo:
        return "Yes/No question";
    case ScriptedQuestions::Kind::YesNoCancel:
        return "Yes/No/Cancel question";
    case ScriptedQuestions::Kind::AbortRetryIgnore:
        return "Abort/Retry/Ignore question";
    }
    return "prompt";
}

bool Offers(ScriptedQuestions::Kind kind, TAnswer answer)
{
    switch (kind) {
    case ScriptedQuestions::Kind::InfoBox:
        return true;
    case ScriptedQuestions::Kind::YesNo:
        return answer == TAnswer::Yes || answer == TAnswer::No;
    case ScriptedQuestions::Kind::YesNoCancel:
        return answer == TAnswer::Yes || answer == TAnswer::No || answer == TAnswer::Cancel;
    case ScriptedQuestions::Kind::AbortRetryIgnore:
        return answer == TAnswer::Abort || answer == TAnswer::Retry || answer == TAnswer::Ignore;
    }
    return false;
}

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
    FExpected.push_back({kind, std::move(caption), std::move(text), answer, std::move(whenAsked)});
    return *this;
}

ScriptedQuestions& ScriptedQuestions::ExpectInfoBox(std::string caption, std::string text)
{
    return Expect(Kind::InfoBox, std::move(caption), std::move(text), TAnswer::Yes);
}

TAnswer ScriptedQuestions::Next(Kind kind, const std::string& caption, const std::string& text, TAnswer stopping)
{
    if (FExpected.empty()) {
        ADD_FAILURE() << "unexpected " << NameOf(kind) << ": [" << caption << "] " << text;
        return stopping;
    }
    Prompt prompt = std::move(FExpected.front());
    FExpected.pop_front();
    if (prompt.FKind != kind || prompt.FCaption != caption || prompt.FText != text) {
        ADD_FAILURE() << "unexpected " << NameOf(kind) << ": [" << caption << "] " << text << "\n  instead of "
                      << NameOf(prompt.FKind) << ": [" << prompt.FCaption << "] " << prompt.FText;
        return stopping;
    }
    if (prompt.FWhenAsked) {
        prompt.FWhenAsked();
    }
    return prompt.FAnswer;
}

void ScriptedQuestions::ShowInfoBox(const std::string& caption, const std::string& text)
{
    Next(Kind::InfoBox, caption, text, TAnswer::Yes);
}

TAnswer ScriptedQuestions::AskYesNo(const std::string& caption, const std::string& text)
{
    return Next(Kind::YesNo, caption, text, TAnswer::No);
}

TAnswer ScriptedQuestions::AskYesNoCancel(const std::string& caption, const std::string& text)
{
    return Next(Kind::YesNoCancel, caption, text, TAnswer::Cancel);
}

TAnswer ScriptedQuestions::AskAbortRetryIgnore(const std::string& caption, const std::string& text)
{
    return Next(Kind::AbortRetryIgnore, caption, text, TAnswer::Abort);
}
