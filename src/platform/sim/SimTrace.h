#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestavo::sim {

// Everything the program did that could be seen from outside, with the
// virtual time at which it happened. Tests compare traces.
class SimTrace {
public:
    struct Entry {
        std::uint64_t timeMs;
        std::string what;
    };

    void Add(std::uint64_t timeMs, std::string what);
    const std::vector<Entry>& Entries() const { return m_entries; }
    // The entries' texts, without their times, in order.
    std::vector<std::string> Lines() const;
    // The time of the first entry starting with `prefix`, or -1.
    long long FirstTime(const std::string& prefix) const;
    bool Has(const std::string& prefix) const { return FirstTime(prefix) >= 0; }
    // All entries as "[time] text" lines, for failure messages.
    std::string Dump() const;

private:
    std::vector<Entry> m_entries;
};

}  // namespace kestavo::sim
