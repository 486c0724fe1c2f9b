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

// The service's list of key names cannot be split where a name is empty:
// an empty first name reads as the end of the list, and Wine ends the list
// there. The section's lines are unambiguous ("name=value", each ended by a
// zero, the list by a second one), so the names are taken from them, split
// by the length returned. A list that filled the buffer may have been cut,
// so it is read again into a larger one, up to the capacity.
std::vector<std::string> Win32Profile::ReadKeyNames(const std::string& file,
                                                    const std::string& section) {
    std::vector<char> buffer;
    for (std::size_t size = 4096; size <= kKeyListCapacity; size *= 4) {
        buffer.assign(size, '\0');
        const DWORD length = GetPrivateProfileSectionA(section.c_str(), buffer.data(),
                                                       static_cast<DWORD>(size), file.c_str());
        if (length + 2 < size) {
            return NamesOfLines(buffer.data(), length);
        }
    }
    return {};
}

// A line without '=' holds no value, and one with an empty name names no
// key a read can find: neither is listed.
std::vector<std::string> Win32Profile::NamesOfLines(const char* lines, std::size_t length) {
    std::vector<std::string> names;
    for (std::size_t start = 0; start < length;) {
        const std::size_t end = start + strnlen(lines + start, length - start);
        const void* equals = std::memchr(lines + start, '=', end - start);
        if (equals != nullptr && equals != lines + start) {
            names.emplace_back(lines + start, static_cast<const char*>(equals));
        }
        start = end + 1;
    }
    return names;
}

}  // namespace kestavo::win32
