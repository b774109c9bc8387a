#include "CommandLine.h"
#include "CommandRegistry.h"
#include "EnvironmentLanguage.h"
#include "SignalCleanup.h"
#include "TerminalConsole.h"
#include "cipher/ProcessProtection.h"
#include "language/LangWatchable.h"

#include <clocale>
#include <cstdlib>

int main(int argc, char** argv)
{
    ProtectProcessMemory();
    std::setlocale(LC_ALL, "");
    LanguageHolder().SetLanguage(LanguageFromEnvironment([](const char* name) { return std::getenv(name); }));
    TSignalCleanup::Install();

    const TCommandRegistry registry = TCommandRegistry::WithAllCommands();
    TTerminalConsole console;
    return TCommandLine(registry, console).Run(std::vector<std::string>(argv + 1, argv + argc));
}
