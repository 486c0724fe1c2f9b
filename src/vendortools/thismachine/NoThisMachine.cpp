// A build for another system has no Windows to ask.
#include "vendortools/ThisMachine.h"

namespace kestavo::vendortools {

std::unique_ptr<ThisMachine> ThisMachine::Open(const std::string&, std::string& error) {
    error =
        "only setup-preview.exe, run on the Windows in question, can ask it: run it there, or "
        "replay a machine file it captured (--capture) with --machine FILE";
    return nullptr;
}

}  // namespace kestavo::vendortools
