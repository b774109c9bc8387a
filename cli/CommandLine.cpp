#include "CommandLine.h"

#include "CommandError.h"
#include "VersionInfo.h"
#include "container/ContainerError.h"

#include <algorithm>
#include <new>

namespace {

bool AsksForHelp(const std::string& arg)
{
    return arg == "--help" || arg == "-h";
}

// Whether "--help" stands among a command's options (not after "--").
bool HelpRequested(const std::vector<std::string>& args)
{
    for (const std::string& arg : args) {
        if (arg == "--") {
            return false;
        }
        if (AsksForHelp(arg)) {
            return true;
        }
    }
    return false;
}

} // namespace

TCommandLine::TCommandLine(const TCommandRegistry& registry, TConsole& console) : FRegistry(registry), FConsole(console)
{
}

std::string TCommandLine::Usage() const
{
    std::string usage = std::string("Usage: ") + ProgramName +
                        " COMMAND [OPTIONS] [ARGUMENTS]\n"
                        "\n"
                        "Packs a message and files into a password-encrypted container (.xvt), reads\n"
                        "containers, and wipes files.\n"
                        "\n"
                        "Commands:\n";
    std::size_t width = 0;
    for (const TCommand& command : FRegistry.Commands()) {
        width = std::max(width, command.Name.size());
    }
    for (const TCommand& command : FRegistry.Commands()) {
        usage += "  " + command.Name + std::string(width - command.Name.size() + 2, ' ') + command.Summary + "\n";
    }
    usage += std::string("\n"
                         "Options:\n"
                         "  -h, --help     show this help; after a command, that command's help\n"
                         "      --version  show the version\n"
                         "\n"
                         "Passwords are read from the terminal with echo off; when standard input is not a\n"
                         "terminal, one line of it per password; or with --password-file FILE.\n"
                         "\n"
                         "Exit status: 0 done, 1 failure, 2 usage error, 3 wrong password.\n"
                         "\n"
                         "Example:\n"
                         "  ") +
             ProgramName + " create report.xvt notes.txt photos/ --memo \"The photos from Tuesday\"\n  " + ProgramName +
             " extract report.xvt -o received/\n";
    return usage;
}

int TCommandLine::Run(const std::vector<std::string>& args)
{
    if (args.empty()) {
        FConsole.Err() << Usage();
        return ExitUsage;
    }
    const std::string& first = args[0];
    if (AsksForHelp(first) || first == "help") {
        if (first == "help" && args.size() > 1) {
            if (const TCommand* command = FRegistry.Find(args[1])) {
                FConsole.Out() << command->Help();
                return ExitDone;
            }
            FConsole.Error("unknown command '" + args[1] + "'");
            return ExitUsage;
        }
        FConsole.Out() << Usage();
        return ExitDone;
    }
    if (first == "--version") {
        FConsole.Out() << ProgramName << ' ' << VersionText() << '\n';
        return ExitDone;
    }
    const TCommand* command = FRegistry.Find(first);
    if (command == nullptr) {
        FConsole.Error(first.starts_with('-') ? "unknown option '" + first + "'" : "unknown command '" + first + "'");
        FConsole.Hint(std::string("'") + ProgramName + " --help' lists the commands");
        return ExitUsage;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (HelpRequested(rest)) {
        FConsole.Out() << command->Help();
        return ExitDone;
    }
    return RunCommand(*command, rest);
}

int TCommandLine::RunCommand(const TCommand& command, const std::vector<std::string>& args)
{
    static const TVersionProvider Version;
    TExtraString::SetProvider(&Version);
    try {
        return command.Execute(args, FConsole);
    } catch (const EUsageError& error) {
        FConsole.Error(error.what());
        FConsole.Hint("usage: " + command.UsageLine());
        return ExitUsage;
    } catch (const EPasswordError& error) {
        FConsole.Error(error.what());
        return ExitWrongPassword;
    } catch (const ECommandError& error) {
        FConsole.Error(error.what());
        if (!error.Hint().empty()) {
            FConsole.Hint(error.Hint());
        }
        return ExitFailure;
    } catch (const std::bad_alloc&) {
        FConsole.Error("out of memory");
        return ExitFailure;
    } catch (const std::exception& error) {
        FConsole.Error(error.what());
        return ExitFailure;
    }
}
