// The whole program on the simulated machine, with the example's tag file
// and the input as the install folder's file.

#include <cstddef>
#include <cstdint>

#include "SetupRun.h"
#include "core/TagFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kestavo::fuzz::RunSetupWith(kestavo::TagFile::kDataFileName, data, size);
    return 0;
}
