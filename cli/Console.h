#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

inline constexpr const char* ProgramName = "sealvane-cli";

// Everything a command says to or asks of the person (or script) that runs it: output and error
// streams, secrets and yes/no questions. The terminal implementation is the real one; tests put a
// scripted one in its place and run commands in-process.
class TConsole
{
public:
    virtual ~TConsole() = default;

    virtual std::ostream& Out() = 0;
    virtual std::ostream& Err() = 0;
    // Progress lines are drawn only when standard error is a terminal.
    virtual bool ErrIsTerminal() const = 0;
    // A text from a container goes to standard output as it is stored unless that is a terminal.
    virtual bool OutIsTerminal() const = 0;
    // A person at a terminal can answer questions and confirm a new password.
    virtual bool IsInteractive() const = 0;
    // On a terminal: the prompt, then a line typed with echo off. Without one: the next line of
    // standard input, no prompt. Nothing at the end of the input.
    virtual std::optional<std::string> ReadSecret(const std::string& prompt) = 0;
    // Asks a yes/no question (only when interactive); true for yes.
    virtual bool Confirm(const std::string& question) = 0;

    // "sealvane-cli: error: text" and its kin, on the error stream.
    void Error(std::string_view text);
    void Warning(std::string_view text);
    void Hint(std::string_view text);
};
