// The shared object exports the five VOR functions and nothing else, and the
// Windows definition file lists the same five.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace {

const std::set<std::string> kSectionKeywords = {"LIBRARY", "NAME",     "EXPORTS",   "IMPORTS", "DESCRIPTION",
                                                "VERSION", "HEAPSIZE", "STACKSIZE", "SECTIONS"};

const std::set<std::string> kExports = {"VORValidateStringDLL", "VORStringToBarcodeDLL", "VORStringToBarcodeBufDLL",
                                        "VORValidateStringBufDLL", "VORDiagnoseDLL"};

// Names of the defined dynamic symbols, from `nm -D --defined-only`.
// Sets `ok` to false when nm could not be run.
std::set<std::string> DefinedDynamicSymbols(bool& ok)
{
    const std::string command = std::string("'") + LUMDLL_NM + "' -D --defined-only '" + LUMDLL_PATH + "'";
    std::set<std::string> names;
    FILE* pipe = popen(command.c_str(), "r");
    ok = pipe != nullptr;
    if (!pipe)
        return names;
    char line[4096];
    while (std::fgets(line, sizeof line, pipe)) {
        // "<address> <type> <name>[@version]"; the name is the last field.
        std::istringstream fields(line);
        std::string field, name;
        while (fields >> field)
            name = field;
        if (const auto at = name.find('@'); at != std::string::npos)
            name.resize(at);
        if (!name.empty())
            names.insert(name);
    }
    ok = pclose(pipe) == 0;
    return names;
}

TEST(LumdllExports, SharedObjectExportsExactlyTheVorFunctions)
{
    bool ok = false;
    const std::set<std::string> names = DefinedDynamicSymbols(ok);
    ASSERT_TRUE(ok) << "could not run " << LUMDLL_NM;
    EXPECT_EQ(names, kExports);
}

TEST(LumdllExports, DefinitionFileListsExactlyTheVorFunctions)
{
    std::ifstream def(LUMDLL_DEF_PATH);
    ASSERT_TRUE(def) << LUMDLL_DEF_PATH;
    std::set<std::string> names;
    bool inExports = false;
    std::string line;
    while (std::getline(def, line)) {
        if (const auto semicolon = line.find(';'); semicolon != std::string::npos)
            line.resize(semicolon); // comment
        std::istringstream fields(line);
        std::string first;
        if (!(fields >> first))
            continue;
        if (kSectionKeywords.count(first)) {
            inExports = first == "EXPORTS";
            continue; // "LIBRARY LUMDLL" and the like carry no export
        }
        if (inExports)
            names.insert(first.substr(0, first.find('='))); // "name", "name=internal", "name @1"
    }
    EXPECT_EQ(names, kExports);
}

} // namespace
