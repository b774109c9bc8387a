#include "TerminalConsole.h"

#include "SignalCleanup.h"
#include "text/AsciiCase.h"

#include <algorithm>
#include <array>
#include <fcntl.h>
#include <iostream>
#include <termios.h>
#include <unistd.h>

namespace {

std::string WithoutLineEnd(std::string line)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.pop_back();
    }
    return line;
}

} // namespace

bool IsYesAnswer(std::string_view answer)
{
    std::string lower;
    for (const char c : answer) {
        if (c != ' ' && c != '\t') {
            lower += LowerAscii(c);
        }
    }
    static constexpr std::array<std::string_view, 7> Yes = {"y", "yes", "j", "ja", "o", "oui", "jes"};
    return std::find(Yes.begin(), Yes.end(), lower) != Yes.end();
}

TTerminalConsole::TTerminalConsole()
    : FInteractive(::isatty(STDIN_FILENO) == 1), FErrIsTerminal(::isatty(STDERR_FILENO) == 1),
      FOutIsTerminal(::isatty(STDOUT_FILENO) == 1)
{
}

TTerminalConsole::~TTerminalConsole()
{
    if (FOwnsTerminal) {
        ::close(FTerminalIn);
    }
}

std::ostream& TTerminalConsole::Out()
{
    return std::cout;
}

std::ostream& TTerminalConsole::Err()
{
    return std::cerr;
}

bool TTerminalConsole::ErrIsTerminal() const
{
    return FErrIsTerminal;
}

bool TTerminalConsole::OutIsTerminal() const
{
    return FOutIsTerminal;
}

bool TTerminalConsole::IsInteractive() const
{
    return FInteractive;
}

void TTerminalConsole::OpenTerminal()
{
    if (FTerminalIn >= 0) {
        return;
    }
    const int fd = ::open("/dev/tty", O_RDWR | O_CLOEXEC);
    if (fd >= 0) {
        FTerminalIn = FTerminalOut = fd;
        FOwnsTerminal = true;
    } else {
        FTerminalIn = STDIN_FILENO;
        FTerminalOut = STDERR_FILENO;
    }
}

void TTerminalConsole::WriteTerminal(const std::string& text)
{
    std::cout.flush();
    std::cerr.flush();
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(FTerminalOut, text.data() + done, text.size() - done);
        if (written <= 0) {
            return;
        }
        done += static_cast<std::size_t>(written);
    }
}

std::optional<std::string> TTerminalConsole::ReadTerminalLine(const std::string& prompt, bool echo)
{
    termios saved{};
    const bool hasSettings = ::tcgetattr(FTerminalIn, &saved) == 0;
    if (!echo && hasSettings) {
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        quiet.c_lflag |= ECHONL;
        TSignalCleanup::SaveTerminal(FTerminalIn, saved);
        ::tcsetattr(FTerminalIn, TCSAFLUSH, &quiet);
    }
    // The prompt comes after the echo is off, so that nothing typed after it can show.
    WriteTerminal(prompt);
    std::string line;
    bool ended = false;
    for (;;) {
        char c = 0;
        const ssize_t got = ::read(FTerminalIn, &c, 1);
        if (got <= 0) {
            ended = line.empty();
            break;
        }
        if (c == '\n') {
            break;
        }
        line += c;
    }
    if (!echo && hasSettings) {
        ::tcsetattr(FTerminalIn, TCSAFLUSH, &saved);
        TSignalCleanup::ForgetTerminal();
    }
    if (ended) {
        return std::nullopt;
    }
    return WithoutLineEnd(line);
}

std::optional<std::string> TTerminalConsole::ReadSecret(const std::string& prompt)
{
    if (!FInteractive) {
        std::string line;
        if (!std::getline(std::cin, line)) {
            return std::nullopt;
        }
        return WithoutLineEnd(line);
    }
    OpenTerminal();
    return ReadTerminalLine(prompt, false);
}

bool TTerminalConsole::Confirm(const std::string& question)
{
    if (!FInteractive) {
        return false;
    }
    OpenTerminal();
    const std::optional<std::string> answer = ReadTerminalLine(question + " [y/N] ", true);
    return answer && IsYesAnswer(*answer);
}
