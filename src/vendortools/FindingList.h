#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "vendortools/Finding.h"
#include "vendortools/TagLayout.h"

namespace kestavo::vendortools {

// The findings of one check, each placed on the line of the tag file that
// setup.exe takes its value from.
class FindingList {
public:
    FindingList(const TagLayout& tag, const TagLayout& data) : m_tag(tag), m_data(data) {}

    // On the key's line; on the section's header when the key is not
    // written (a value missing is read as empty), or when no key is named.
    void Add(const FindingKind& kind, const std::string& file, const std::string& section,
             const std::string& key, std::string message, std::string fix = "");
    void AddAtLine(const FindingKind& kind, const std::string& file, std::size_t line,
                   const std::string& section, const std::string& key, std::string message,
                   std::string fix = "");

    void Clear() { m_findings.clear(); }
    // kestavo.tag, then data.tag, then the other files, each in line order.
    std::vector<Finding> InOrder() const;

private:
    const TagLayout& m_tag;
    const TagLayout& m_data;
    std::vector<Finding> m_findings;
};

}  // namespace kestavo::vendortools
