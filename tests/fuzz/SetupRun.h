#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kestavo::fuzz {

// The whole program on a simulated machine, as the preview tool runs it
// but without its drawings: the example setup folder, with the input as its
// file `fileName`. The machine is one of the built-in ones, chosen by the
// input's length, so that every Windows is reached without a byte of the
// file spent on it.
void RunSetupWith(const char* fileName, const std::uint8_t* data, std::size_t size);

}  // namespace kestavo::fuzz
