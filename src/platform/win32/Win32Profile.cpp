#include "platform/win32/Win32Profile.h"

#include <windows.h>

#include <vector>

#include "platform/SectionLines.h"

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

}  // namespace kestavo::win32
