#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One option of a command: "--long", optionally "-s", and the name of its value ("--memo TEXT");
// an option without a value name is a flag.
struct TOption
{
    std::string Long;
    char Short = 0;
    std::string ValueName;
    std::string Help;
};

// The arguments of one command, split into options and positional arguments. Options may stand
// anywhere; "--" ends them, so that a positional argument may begin with "-". Values are given
// as "--name VALUE", "--name=VALUE", "-s VALUE" or "-sVALUE"; flags may be grouped ("-fy").
// A repeated option keeps its last value. Raises EUsageError for an unknown option, a missing
// value or a value given to a flag.
class TArguments
{
public:
    static TArguments Parse(const std::vector<std::string>& args, const std::vector<TOption>& options);

    bool Has(std::string_view longName) const;
    std::optional<std::string> Value(std::string_view longName) const;
    const std::vector<std::string>& Positionals() const { return FPositionals; }

private:
    std::vector<std::pair<std::string, std::string>> FOptions;
    std::vector<std::string> FPositionals;
};
