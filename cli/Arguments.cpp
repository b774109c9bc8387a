#include "Arguments.h"

#include "CommandError.h"

#include <algorithm>

namespace {

const TOption* FindLong(const std::vector<TOption>& options, std::string_view name)
{
    const auto found = std::find_if(options.begin(), options.end(), [&](const TOption& o) { return o.Long == name; });
    return found == options.end() ? nullptr : &*found;
}

const TOption* FindShort(const std::vector<TOption>& options, char name)
{
    const auto found =
        std::find_if(options.begin(), options.end(), [&](const TOption& o) { return o.Short != 0 && o.Short == name; });
    return found == options.end() ? nullptr : &*found;
}

} // namespace

TArguments TArguments::Parse(const std::vector<std::string>& args, const std::vector<TOption>& options)
{
    TArguments result;
    bool optionsEnded = false;
    for (std::size_t n = 0; n < args.size(); ++n) {
        const std::string& arg = args[n];
        const auto nextValue = [&](const TOption& option, const std::string& shown) {
            if (n + 1 >= args.size()) {
                throw EUsageError("option '" + shown + "' needs a value (" + option.ValueName + ")");
            }
            return args[++n];
        };
        if (optionsEnded || arg == "-" || !arg.starts_with('-')) {
            result.FPositionals.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg.starts_with("--")) {
            const std::size_t equals = arg.find('=');
            const std::string name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
            const TOption* option = FindLong(options, name);
            if (option == nullptr) {
                throw EUsageError("unknown option '--" + name + "'");
            }
            if (option->ValueName.empty()) {
                if (equals != std::string::npos) {
                    throw EUsageError("option '--" + name + "' takes no value");
                }
                result.FOptions.emplace_back(option->Long, std::string());
            } else if (equals != std::string::npos) {
                result.FOptions.emplace_back(option->Long, arg.substr(equals + 1));
            } else {
                result.FOptions.emplace_back(option->Long, nextValue(*option, "--" + name));
            }
        } else {
            // A group of short options; the first one that takes a value takes the rest too.
            for (std::size_t k = 1; k < arg.size(); ++k) {
                const TOption* option = FindShort(options, arg[k]);
                if (option == nullptr) {
                    throw EUsageError("unknown option '-" + std::string(1, arg[k]) + "'");
                }
                if (option->ValueName.empty()) {
                    result.FOptions.emplace_back(option->Long, std::string());
                    continue;
                }
                const std::string attached = arg.substr(k + 1);
                result.FOptions.emplace_back(
                    option->Long, attached.empty() ? nextValue(*option, "-" + std::string(1, arg[k])) : attached);
                break;
            }
        }
    }
    return result;
}

bool TArguments::Has(std::string_view longName) const
{
    return Value(longName).has_value();
}

std::optional<std::string> TArguments::Value(std::string_view longName) const
{
    for (auto item = FOptions.rbegin(); item != FOptions.rend(); ++item) {
        if (item->first == longName) {
            return item->second;
        }
    }
    return std::nullopt;
}
