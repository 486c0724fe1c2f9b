#pragma once

#include <optional>
#include <vector>

#include "core/TagFile.h"

namespace kestavo {

// The records of a list section of the tag file, visited in number order by
// the numbers that have a key with one of the section's letters: records
// without any key read as empty, so a huge TOTAL costs nothing beyond the
// records written. The numbers are listed when first needed and again after
// Forget, since a program that ran meanwhile may have rewritten the file.
class TagRecords {
public:
    TagRecords(const TagFile& tag, const char* section, char first, char last);

    // The first record numbered `from` or more and below `total`.
    std::optional<int> Next(int from, int total);
    void Forget() { m_present.reset(); }

private:
    TagFile m_tag;
    const char* m_section;
    char m_first;
    char m_last;
    std::optional<std::vector<int>> m_present;
};

}  // namespace kestavo
