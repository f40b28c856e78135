// The engine's side of the comparison with python3-stdnum
// (isbn_stdnum_agreement.py): reads ISBNs, one a line, and writes for each
// its hyphenated ISBN-13, its hyphenated ISBN-10 ("-" when it has none) and
// 1 or 0 for inside or outside the assigned ranges, separated by tabs.
// With --serial it writes the serial of the range data built in.
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

#include "engine/isbn.h"

int main(int argc, char** argv)
{
    if (argc > 1 && std::string_view(argv[1]) == "--serial") {
        std::cout << lum::IsbnRangeDataEdition().serial << '\n';
        return 0;
    }
    std::ios::sync_with_stdio(false);
    std::string line, out;
    while (std::getline(std::cin, line)) {
        const lum::IsbnParseResult r = lum::ParseIsbn(line);
        if (r.result != lum::IsbnParse::Ok) {
            std::cerr << "isbn_split_tool: not a valid ISBN: " << line << '\n';
            return 1;
        }
        out.append(r.isbn13).push_back('\t');
        out.append(r.isbn10.empty() ? "-" : r.isbn10).push_back('\t');
        out.append(r.assigned ? "1\n" : "0\n");
    }
    std::cout << out;
    return std::cout.good() ? 0 : 1;
}
