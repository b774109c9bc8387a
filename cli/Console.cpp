#include "Console.h"

namespace {

// Texts may carry names out of a container: control characters (a hostile name could hold
// terminal escape sequences) are shown as "?"; line breaks stay.
std::string Shown(std::string_view text)
{
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t n = 0; n < text.size(); ++n) {
        const auto byte = static_cast<unsigned char>(text[n]);
        if (byte == '\r' && n + 1 < text.size() && text[n + 1] == '\n') {
            continue;
        }
        shown += (byte < 0x20 && byte != '\n' && byte != '\t') || byte == 0x7F ? '?' : text[n];
    }
    return shown;
}

} // namespace

void TConsole::Error(std::string_view text)
{
    Err() << ProgramName << ": error: " << Shown(text) << '\n' << std::flush;
}

void TConsole::Warning(std::string_view text)
{
    Err() << ProgramName << ": warning: " << Shown(text) << '\n' << std::flush;
}

void TConsole::Hint(std::string_view text)
{
    Err() << ProgramName << ": hint: " << Shown(text) << '\n' << std::flush;
}
