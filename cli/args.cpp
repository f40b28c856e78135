#include "cli/args.h"

#include <algorithm>

namespace lum::cli {

bool ParsedArgs::Has(std::string_view name) const noexcept
{
    return std::any_of(options.begin(), options.end(), [&](const auto& o) { return o.first == name; });
}

std::optional<std::string_view> ParsedArgs::Value(std::string_view name) const noexcept
{
    for (auto it = options.rbegin(); it != options.rend(); ++it)
        if (it->first == name)
            return it->second;
    return std::nullopt;
}

ParseOutcome ParseArguments(std::span<const OptionSpec> options, std::span<const char* const> args)
{
    ParseOutcome result;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            result.args.positionals.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "-h" || arg == "--help") {
            result.args.help = true;
            continue;
        }
        const auto equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        const auto known =
            std::find_if(options.begin(), options.end(), [&](const OptionSpec& o) { return o.name == name; });
        if (known == options.end()) { // a table may also list a one-dash short name such as "-o"
            result.error = "unknown option '" + std::string(arg) + "'";
            if (!arg.starts_with("--"))
                result.error += " (put -- before a text that starts with -)";
            return result;
        }
        if (known->valueName.empty()) {
            if (equals != std::string_view::npos) {
                result.error = "option '" + std::string(name) + "' takes no value";
                return result;
            }
            result.args.options.emplace_back(known->name, std::string_view{});
        } else if (equals != std::string_view::npos) {
            result.args.options.emplace_back(known->name, arg.substr(equals + 1));
        } else if (i + 1 < args.size()) {
            result.args.options.emplace_back(known->name, std::string_view(args[++i]));
        } else {
            result.error = "option '" + std::string(name) + "' needs a value (" + std::string(known->valueName) + ")";
            return result;
        }
    }
    return result;
}

std::string OptionHelp(std::span<const OptionSpec> options)
{
    std::string out;
    const auto add = [&out](std::string_view left, std::string_view help) {
        out.append("  ").append(left);
        out.append(left.size() < 20 ? 20 - left.size() : 1, ' ');
        out.append(help).push_back('\n');
    };
    for (const OptionSpec& o : options)
        add(o.valueName.empty() ? std::string(o.name) : std::string(o.name) + " " + std::string(o.valueName), o.help);
    add("-h, --help", "show this help and exit");
    return out;
}

} // namespace lum::cli
