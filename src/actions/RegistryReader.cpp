#include "actions/RegistryReader.h"

#include <cstddef>

namespace kestavo {

std::string ReadMachineRegistryString(IRegistryPort& registry, const std::string& keyPath,
                                      const std::string& valueName) {
    constexpr std::size_t kWorkingBuffer = 256;
    if (keyPath.size() >= kWorkingBuffer || valueName.size() >= kWorkingBuffer) {
        return {};
    }
    const auto data = registry.QueryMachineValue(keyPath, valueName);
    if (!data) {
        return {};
    }
    return data->substr(0, data->find('\0'));
}

}  // namespace kestavo
