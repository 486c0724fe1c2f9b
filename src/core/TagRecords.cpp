#include "core/TagRecords.h"

#include <algorithm>

namespace kestavo {

TagRecords::TagRecords(const TagFile& tag, const char* section, char first, char last)
    : m_tag(tag), m_section(section), m_first(first), m_last(last) {}

std::optional<int> TagRecords::Next(int from, int total) {
    if (!m_present) {
        m_present = m_tag.RecordNumbers(m_section, m_first, m_last);
    }
    const auto next = std::lower_bound(m_present->begin(), m_present->end(), from);
    if (next == m_present->end() || *next >= total) {
        return std::nullopt;
    }
    return *next;
}

}  // namespace kestavo
