#include "platform/win32/Win32Profile.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace kestavo::win32 {

std::string Win32Profile::ReadString(const std::string& file, const std::string& section,
                                     const std::string& key, std::size_t capacity) {
    if (capacity == 0) {
        return {};
    }
    std::vector<char> buffer(capacity, '\0');
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), file.c_str());
    return std::string(buffer.data(), length < capacity ? length : capacity - 1);
}

// With no key name the service lists every key of the section, each ended
// by a zero and the list by a second one; a list that filled the buffer may
// have been cut, so it is read again into a larger one.
std::vector<std::string> Win32Profile::ReadKeyNames(const std::string& file,
                                                    const std::string& section) {
    std::vector<char> buffer(4096, '\0');
    DWORD length = 0;
    for (;;) {
        length = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                          static_cast<DWORD>(buffer.size()), file.c_str());
        if (length + 2 < buffer.size()) {
            break;
        }
        buffer.assign(buffer.size() * 4, '\0');
    }
    std::vector<std::string> names;
    for (const char* name = buffer.data(); *name != '\0' && name < buffer.data() + length;
         name += std::strlen(name) + 1) {
        names.emplace_back(name);
    }
    return names;
}

}  // namespace kestavo::win32
