#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/IProfilePort.h"

namespace kestavo::win32 {

// Profile strings through GetPrivateProfileStringA, and the names of a
// section's keys through GetPrivateProfileSectionA.
class Win32Profile : public IProfilePort {
public:
    std::string ReadString(const std::string& file, const std::string& section,
                           const std::string& key, std::size_t capacity) override;
    std::vector<std::string> ReadKeyNames(const std::string& file,
                                          const std::string& section) override;
};

}  // namespace kestavo::win32
