#include <cstdio>
#include <span>

#include "cli/command.h"

int main(int argc, char** argv)
{
    const std::span<const char* const> args(argv + 1, argc > 0 ? std::size_t(argc - 1) : 0);
    return lum::cli::Main(args, {stdin, stdout, stderr});
}
