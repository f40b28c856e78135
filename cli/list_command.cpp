// lumcode list: the symbology catalogue, one tab-separated line per entry.
#include <cerrno>
#include <cstdio>
#include <string>

#include "cli/command.h"
#include "engine/fonts.h"

namespace lum::cli {
namespace {

void AppendEntry(const Symbology& s, std::string& out)
{
    out.append(s.id).push_back('\t');
    out.append(DisplayNameText(s.nameId, Language::English)).push_back('\t');
    out.append(DisplayNameText(s.nameId, Language::Italian)).push_back('\t');
    out.append(s.family).push_back('\t');
    bool first = true;
    for (const StyleInfo& style : FamilyStyles(s.family)) {
        if (!first)
            out.append(", ");
        out.append(style.english);
        first = false;
    }
    out.push_back('\n');
}

int RunList(const ParsedArgs& args, const Streams& streams)
{
    std::string out;
    if (args.positionals.empty()) {
        for (const Symbology& s : Catalogue())
            AppendEntry(s, out);
    }
    for (const std::string_view id : args.positionals) {
        const Symbology* s = FindTarget(id);
        if (!s)
            return UnknownSymbology(streams, kListCommand, id);
        AppendEntry(*s, out);
    }
    errno = 0;
    if (std::fwrite(out.data(), 1, out.size(), streams.out) != out.size() || std::fflush(streams.out) != 0) {
        PrintError(streams, CannotWrite("the output", errno));
        return kExitRejected;
    }
    return kExitOk;
}

constexpr std::string_view kDetails = "Prints the catalogue in resolution order, or the entries named, one line\n"
                                      "per entry with five tab-separated fields:\n"
                                      "  1. identifier\n"
                                      "  2. English display name\n"
                                      "  3. Italian display name\n"
                                      "  4. font family\n"
                                      "  5. the family's styles (English display names, separated by \", \")\n"
                                      "The add-on entries ADD2 and ADD5 have no display name of their own.\n";

} // namespace

const Command kListCommand{
    "list", "[SYMBOLOGY...]", "print the symbology catalogue", kDetails, {}, 0, kAnyCount, RunList,
};

} // namespace lum::cli
