#include "platform/sim/SimTrace.h"

#include <utility>

namespace kestavo::sim {

void SimTrace::Add(std::uint64_t timeMs, std::string what) {
    m_entries.push_back(Entry{timeMs, std::move(what)});
}

std::vector<std::string> SimTrace::Lines() const {
    std::vector<std::string> lines;
    lines.reserve(m_entries.size());
    for (const Entry& entry : m_entries) {
        lines.push_back(entry.what);
    }
    return lines;
}

long long SimTrace::FirstTime(const std::string& prefix) const {
    for (const Entry& entry : m_entries) {
        if (entry.what.compare(0, prefix.size(), prefix) == 0) {
            return static_cast<long long>(entry.timeMs);
        }
    }
    return -1;
}

std::string SimTrace::Dump() const {
    std::string text;
    for (const Entry& entry : m_entries) {
        text += "[" + std::to_string(entry.timeMs) + "] " + entry.what + "\n";
    }
    return text;
}

}  // namespace kestavo::sim
