// setup-check: what a setup folder makes setup.exe do other than its vendor
// wrote, file by file and line by line, with a fix for each. The command
// line and the exit codes are SetupCheckCommand's.

#include <iostream>
#include <string>
#include <vector>

#include "vendortools/SetupCheckCommand.h"

#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8);
#endif
    return kestavo::vendortools::SetupCheckCommand(std::cout, std::cerr)
        .Run(std::vector<std::string>(argv + 1, argv + argc));
}
