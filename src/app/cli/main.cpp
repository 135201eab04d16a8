#include "app/cli/CommandLine.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return mivra::cli::Run(args, std::cout, std::cerr);
}
