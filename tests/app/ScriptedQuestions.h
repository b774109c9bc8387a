#pragma once

#include "app/UserInterface.h"

#include <deque>
#include <functional>
#include <string>

// The user, scripted: a queue of the prompts a test expects, each with the answer to give. An
// unexpected prompt (another kind, caption or text, or one more than scripted) fails the test
// and is answered with its stopping button (No, Cancel, Abort); prompts left unasked fail the
// test when the script ends.
class ScriptedQuestions : public IUserInterface
{
public:
    enum class Kind
    {
        InfoBox,
        YesNo,
        YesNoCancel,
        AbortRetryIgnore
    };

    ScriptedQuestions() = default;
    ScriptedQuestions(const ScriptedQuestions&) = delete;
    ScriptedQuestions& operator=(const ScriptedQuestions&) = delete;
    ~ScriptedQuestions() override;

    // whenAsked runs when the prompt comes, before it is answered (the user acting meanwhile).
    ScriptedQuestions& Expect(Kind kind, std::string caption, std::string text, TAnswer answer,
                              std::function<void()> whenAsked = {});
    ScriptedQuestions& ExpectInfoBox(std::string caption, std::string text);

    bool AllAsked() const { return FExpected.empty(); }

    void ShowInfoBox(const std::string& caption, const std::string& text) override;
    TAnswer AskYesNo(const std::string& caption, const std::string& text) override;
    TAnswer AskYesNoCancel(const std::string& caption, const std::string& text) override;
    TAnswer AskAbortRetryIgnore(const std::string& caption, const std::string& text) override;

private:
    struct Prompt
    {
        Kind FKind;
        std::string FCaption;
        std::string FText;
        TAnswer FAnswer;
        std::function<void()> FWhenAsked;
    };

    TAnswer Next(Kind kind, const std::string& caption, const std::string& text, TAnswer stopping);

    std::deque<Prompt> FExpected;
};
