#pragma once

#include "cli/Console.h"

#include <deque>
#include <sstream>
#include <string>

// A console for running commands in-process: output and errors are kept, and every password
// prompt and question must have been announced, in order, with its answer. A prompt nobody
// expected, a prompt of another kind, or an expected prompt that never came fails the test.
class TScriptedConsole : public TConsole
{
public:
    explicit TScriptedConsole(bool interactive = false, bool errIsTerminal = false)
        : FInteractive(interactive), FErrIsTerminal(errIsTerminal)
    {
    }
    ~TScriptedConsole() override;

    // The next secret asked for: its prompt must contain promptPart (checked only when
    // interactive: without a terminal the line is read with no prompt).
    void ExpectSecret(std::string promptPart, std::string answer);
    // The input ends where the next secret is asked for.
    void ExpectEndOfInput();
    void ExpectQuestion(std::string questionPart, bool answer);

    std::string OutText() const { return FOut.str(); }
    std::string ErrText() const { return FErr.str(); }

    std::ostream& Out() override { return FOut; }
    std::ostream& Err() override { return FErr; }
    bool ErrIsTerminal() const override { return FErrIsTerminal; }
    bool IsInteractive() const override { return FInteractive; }
    std::optional<std::string> ReadSecret(const std::string& prompt) override;
    bool Confirm(const std::string& question) override;

private:
    enum class TKind
    {
        Secret,
        EndOfInput,
        Question
    };
    struct TStep
    {
        TKind Kind;
        std::string Expected;
        std::string Answer;
        bool Yes = false;
    };

    bool FInteractive;
    bool FErrIsTerminal;
    std::deque<TStep> FSteps;
    std::ostringstream FOut;
    std::ostringstream FErr;
};
