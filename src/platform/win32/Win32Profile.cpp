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
// by a zero and the list by a second one. An empty name is a lone zero,
// which looks like the end of the list, so the list is split by the length
// returned instead. A list that filled the buffer may have been cut, so it
// is read again into a larger one, up to the capacity.
std::vector<std::string> Win32Profile::ReadKeyNames(const std::string& file,
                                                    const std::string& section) {
    std::vector<char> buffer;
    for (std::size_t size = 4096; size <= kKeyListCapacity; size *= 4) {
        buffer.assign(size, '\0');
        const DWORD length = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                                      static_cast<DWORD>(size), file.c_str());
        if (length + 2 < size) {
            return SplitNames(buffer.data(), length);
        }
    }
    return {};
}

std::vector<std::string> Win32Profile::SplitNames(const char* list, std::size_t length) {
    std::vector<std::string> names;
    for (std::size_t start = 0; start < length;) {
        const std::size_t end = start + strnlen(list + start, length - start);
        names.emplace_back(list + start, end - start);
        start = end + 1;
    }
    return names;
}

}  // namespace kestavo::win32
