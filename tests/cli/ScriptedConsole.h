#pragma once

#include "cli/Console.h"

#include <deque>
#include <sstream>
#include <string>

// A console for running commands in-process: output and errors are kept, and every password
// prompt and question is answered with the next of the given answers ("y" is yes) and added to
// FAsked, one a line, so that a test sees exactly what was asked and in which order. When the
// answers are used up the input has ended. Errors never go to a terminal, so no progress line is drawn.
class TScriptedConsole : public TConsole
{
public:
    explicit TScriptedConsole(std::deque<std::string> answers, bool interactive = false, bool outIsTerminal = false)
        : FAnswers(std::move(answers)), FInteractive(interactive), FOutIsTerminal(outIsTerminal)
    {
    }

    std::ostream& Out() override { return FOut; }
    std::ostream& Err() override { return FErr; }
    bool ErrIsTerminal() const override { return false; }
    bool OutIsTerminal() const override { return FOutIsTerminal; }
    bool IsInteractive() const override { return FInteractive; }
    std::optional<std::string> ReadSecret(const std::string& prompt) override { return Answer(prompt); }
    bool Confirm(const std::string& question) override { return Answer(question) == "y"; }

    std::ostringstream FOut;
    std::ostringstream FErr;
    std::string FAsked;

private:
    std::optional<std::string> Answer(const std::string& prompt)
    {
        FAsked += prompt + "\n";
        if (FAnswers.empty()) {
            return std::nullopt;
        }
        std::string answer = std::move(FAnswers.front());
        FAnswers.pop_front();
        return answer;
    }

    std::deque<std::string> FAnswers;
    bool FInteractive;
    bool FOutIsTerminal;
};
