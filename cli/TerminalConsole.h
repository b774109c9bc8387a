#pragma once

#include "Console.h"

#include <istream>

// The console of a real run: standard output and error, and the controlling terminal for
// passwords (echo off) and questions when standard input is a terminal. When it is not, secrets
// are read as lines of standard input and nothing is asked.
class TTerminalConsole : public TConsole
{
public:
    TTerminalConsole();
    ~TTerminalConsole() override;
    TTerminalConsole(const TTerminalConsole&) = delete;
    TTerminalConsole& operator=(const TTerminalConsole&) = delete;

    std::ostream& Out() override;
    std::ostream& Err() override;
    bool ErrIsTerminal() const override;
    bool OutIsTerminal() const override;
    bool IsInteractive() const override;
    std::optional<std::string> ReadSecret(const std::string& prompt) override;
    bool Confirm(const std::string& question) override;

private:
    // The terminal to talk to: /dev/tty, or standard input and error when it cannot be opened.
    void OpenTerminal();
    // Shows the prompt and reads a line; with echo false, typing does not show.
    std::optional<std::string> ReadTerminalLine(const std::string& prompt, bool echo);
    void WriteTerminal(const std::string& text);

    bool FInteractive;
    bool FErrIsTerminal;
    bool FOutIsTerminal;
    int FTerminalIn = -1;
    int FTerminalOut = -1;
    bool FOwnsTerminal = false;
};

// Whether an answer means yes, in any of the interface's languages ("y", "yes", "j", "ja", "o",
// "oui", "jes"; letter case does not count).
bool IsYesAnswer(std::string_view answer);
