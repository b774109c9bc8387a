#include "Console.h"

#include "text/ShownText.h"

// Each of these texts may carry names out of a container: what a terminal could take as a
// command, or what would show a name reversed, is shown as "?"; line breaks stay.
void TConsole::Error(std::string_view text)
{
    Err() << ProgramName << ": error: " << ShownSafely(text, true) << '\n' << std::flush;
}

void TConsole::Warning(std::string_view text)
{
    Err() << ProgramName << ": warning: " << ShownSafely(text, true) << '\n' << std::flush;
}

void TConsole::Hint(std::string_view text)
{
    Err() << ProgramName << ": hint: " << ShownSafely(text, true) << '\n' << std::flush;
}
