#include "core/TagFile.h"

#include <algorithm>
#include <climits>

#include "core/SetupFolder.h"

namespace kestavo {

TagFile::TagFile(ISystemPort& system, IProfilePort& profile, const char* fileName)
    : m_system(system), m_profile(profile), m_fileName(fileName) {}

std::string TagFile::Path() const {
    return SetupFilePath(m_system, m_fileName);
}

bool TagFile::Exists() const {
    return m_system.FileExists(Path());
}

std::string TagFile::Read(std::string_view section, std::string_view key,
                          std::size_t capacity) const {
    return m_profile.ReadString(Path(), std::string(section), std::string(key), capacity);
}

int TagFile::ReadInt(std::string_view section, std::string_view key, std::size_t capacity) const {
    return AtoI(Read(section, key, capacity));
}

int TagFile::ReadCount(std::string_view section) const {
    return ReadInt(section, "TOTAL", kListCapacity);
}

// A record whose keys are all missing reads as empty, so the lists are
// read by the records present: a TOTAL in the billions costs nothing beyond
// the keys written. Keys match as the profile service matches names (any
// letter case), and only in the form ListKey writes ("A01" is not record 1).
std::vector<int> TagFile::RecordNumbers(std::string_view section, char first, char last) const {
    std::vector<int> records;
    for (const std::string& key : m_profile.ReadKeyNames(Path(), std::string(section))) {
        const int index = ListIndex(key);
        // A key of that form has at least two characters.
        if (index >= 0 && (key[0] & ~0x20) >= first && (key[0] & ~0x20) <= last) {
            records.push_back(index);
        }
    }
    // A heap sort: it takes less of setup.exe than std::sort, and a section
    // of a million keys written in descending order still costs n log n.
    std::make_heap(records.begin(), records.end());
    std::sort_heap(records.begin(), records.end());
    return records;
}

int TagFile::AtoI(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            break;
        }
    }
    value = negative ? -value : value;
    if (value > INT_MAX) {
        return INT_MAX;
    }
    return value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

// The digits are written out here: std::to_string brings a table of digit
// pairs along for them.
std::string TagFile::ListKey(char letter, int index) {
    std::string key(1, letter);
    if (index < 0) {
        key += '-';
    }
    unsigned rest = index < 0 ? 0u - static_cast<unsigned>(index) : static_cast<unsigned>(index);
    char digits[10];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    while (count > 0) {
        key += digits[--count];
    }
    return key;
}

int TagFile::ListIndex(std::string_view key) {
    if (key.size() < 2 || key.size() > 11 || (key[1] == '0' && key.size() > 2)) {
        return -1;
    }
    long long index = 0;
    for (std::size_t i = 1; i < key.size(); ++i) {
        if (key[i] < '0' || key[i] > '9') {
            return -1;
        }
        index = index * 10 + (key[i] - '0');
    }
    return index > INT_MAX ? -1 : static_cast<int>(index);
}

}  // namespace kestavo
