#pragma once

#include <memory>
#include <string>

#include "platform/MachineReadPorts.h"

namespace kestavo::vendortools {

// The Windows the tool runs on, for a dry run of a setup on it and for a
// capture of its answers: its read ports, and nothing that could change
// it. Only the Windows build has one.
class ThisMachine {
public:
    virtual ~ThisMachine() = default;

    // This Windows, with the folder (when one is named) as the tool's
    // current folder, as setup.exe's is when started in it. Nothing, and
    // `error` said, where the build runs on no Windows or the folder
    // cannot be entered.
    static std::unique_ptr<ThisMachine> Open(const std::string& folder, std::string& error);

    virtual MachineReadPorts Reads() = 0;
};

}  // namespace kestavo::vendortools
