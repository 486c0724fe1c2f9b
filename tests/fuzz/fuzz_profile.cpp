// The simulated machine's profile-string service: any bytes as the file,
// and any section, key and capacity. Its answers must keep to the promises
// the program relies on, whatever the file holds.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimProfile.h"

namespace {

constexpr const char* kFile = "C:\\SETUP\\kestavo.tag";

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kestavo::fuzz::FuzzInput input(data, size);
    const std::size_t capacity = input.Byte() | (static_cast<std::size_t>(input.Byte()) << 8);
    const std::string section = input.Line();
    const std::string key = input.Line();
    kestavo::sim::SimFiles files;
    files.Put(kFile, input.Rest());
    kestavo::sim::SimProfile profile(files);

    const std::string value = profile.ReadString(kFile, section, key, capacity);
    Require(capacity == 0 ? value.empty() : value.size() < capacity);
    const std::vector<std::string> names = profile.ReadKeyNames(kFile, section);
    // Every key listed can be read back within its buffer.
    for (const std::string& name : names) {
        const std::string listed = profile.ReadString(kFile, section, name, 256);
        Require(listed.size() < 256);
    }
    return 0;
}
