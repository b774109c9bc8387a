#include "Command.h"

#include "CommandError.h"
#include "sealed/ContainerFormats.h"

#include <algorithm>

int TCommand::Execute(const std::vector<std::string>& args, TConsole& console) const
{
    const TArguments parsed = TArguments::Parse(args, Options);
    const std::size_t count = parsed.Positionals().size();
    if (count < MinPositionals) {
        throw EUsageError("missing arguments");
    }
    if (count > MaxPositionals) {
        throw EUsageError("unexpected argument '" + parsed.Positionals()[MaxPositionals] + "'");
    }
    return Run(parsed, console);
}

std::string TCommand::UsageLine() const
{
    std::string line = std::string(ProgramName) + " " + Name;
    if (!Options.empty()) {
        line += " [OPTIONS]";
    }
    if (!Synopsis.empty()) {
        line += " " + Synopsis;
    }
    return line;
}

std::string TCommand::Help() const
{
    std::string summary = Summary;
    if (!summary.empty() && summary[0] >= 'a' && summary[0] <= 'z') {
        summary[0] = static_cast<char>(summary[0] - 'a' + 'A');
    }
    std::string help = "Usage: " + UsageLine() + "\n\n" + summary + ".\n";
    if (!Details.empty()) {
        help += "\n" + Details;
        if (!Details.ends_with('\n')) {
            help += "\n";
        }
    }
    std::vector<TOption> options = Options;
    options.push_back({"help", 'h', "", "show this help"});
    std::vector<std::string> names;
    std::size_t width = 0;
    for (const TOption& option : options) {
        std::string name = option.Short != 0 ? std::string("-") + option.Short + ", " : "    ";
        name += "--" + option.Long;
        if (!option.ValueName.empty()) {
            name += " " + option.ValueName;
        }
        width = std::max(width, name.size());
        names.push_back(std::move(name));
    }
    help += "\nOptions:\n";
    for (std::size_t n = 0; n < options.size(); ++n) {
        help += "  " + names[n] + std::string(width - names[n].size() + 2, ' ') + options[n].Help + "\n";
    }
    return help;
}

TOption PasswordFileOption()
{
    return {"password-file", 0, "FILE", "read the password from the first line of FILE"};
}

TOption FormatOption(const std::string& help)
{
    return {"format", 0, "N", help};
}

std::int64_t FormatAskedFor(const TArguments& args, std::int64_t orElse)
{
    const std::optional<std::string> asked = args.Value("format");
    if (!asked) {
        return orElse;
    }
    if (*asked == "4" || *asked == "5") {
        return *asked == "4" ? ClassicFormat : SealedFormat;
    }
    throw EUsageError("--format takes 4 (readable by every Sealvane) or 5 (authenticated)");
}

TOption ForceOption(const std::string& help)
{
    return {"force", 'f', "", help};
}
