// setup-preview: a setup folder's run on a machine of the vendor's
// choosing, told as a timeline, before anything ships. The real program
// logic runs on a simulated machine with a virtual clock: nothing waits.
// The command line and the exit codes are SetupPreviewCommand's.

#include <iostream>
#include <string>
#include <vector>

#include "vendortools/SetupPreviewCommand.h"

#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8);
#endif
    return kestavo::vendortools::SetupPreviewCommand(std::cout, std::cerr)
        .Run(std::vector<std::string>(argv + 1, argv + argc));
}
