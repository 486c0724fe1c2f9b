// The whole program on the simulated machine, with the input as the vendor's
// tag file.

#include <cstddef>
#include <cstdint>

#include "SetupRun.h"
#include "core/TagFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kestavo::fuzz::RunSetupWith(kestavo::TagFile::kFileName, data, size);
    return 0;
}
