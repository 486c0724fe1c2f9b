#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

namespace kestavo {

// The names of the keys in a section's lines as the profile service
// returns them: "name=value", each ended by a zero, `length` bytes in all.
// Windows returns the lines as written, blanks round a name included, yet
// finds "B0 = After installation" by the name "B0", so a name is taken
// without the spaces and tabs round it. A line without '=' holds no value,
// and one whose name is empty or blank names no key a read can find:
// neither is listed.
inline std::vector<std::string> NamesOfLines(const char* lines, std::size_t length) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    std::vector<std::string> names;
    for (std::size_t start = 0; start < length;) {
        const char* first = lines + start;
        const char* end = first + strnlen(first, length - start);
        const char* last = static_cast<const char*>(std::memchr(first, '=', end - first));
        start = static_cast<std::size_t>(end - lines) + 1;
        if (last == nullptr) {
            continue;
        }
        while (first != last && isBlank(*first)) {
            ++first;
        }
        while (last != first && isBlank(last[-1])) {
            --last;
        }
        if (first != last) {
            names.emplace_back(first, last);
        }
    }
    return names;
}

}  // namespace kestavo
