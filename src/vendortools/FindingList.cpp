#include "vendortools/FindingList.h"

#include <algorithm>

#include "core/TagFile.h"

namespace kestavo::vendortools {

void FindingList::Add(const FindingKind& kind, const std::string& file, const std::string& section,
                      const std::string& key, std::string message, std::string fix) {
    const TagLayout& layout = file == TagFile::kFileName ? m_tag : m_data;
    const std::size_t keyLine = key.empty() ? 0 : layout.LineOf(section, key);
    const std::size_t line = keyLine != 0 ? keyLine : layout.SectionLine(section);
    AddAtLine(kind, file, line, section, key, std::move(message), std::move(fix));
}

void FindingList::AddAtLine(const FindingKind& kind, const std::string& file, std::size_t line,
                            const std::string& section, const std::string& key, std::string message,
                            std::string fix) {
    Finding finding;
    finding.code = kind.code;
    finding.severity = kind.severity;
    finding.file = file;
    finding.line = line;
    finding.section = section;
    finding.key = key;
    finding.message = std::move(message);
    finding.fix = std::move(fix);
    m_findings.push_back(std::move(finding));
}

std::vector<Finding> FindingList::InOrder() const {
    const auto rank = [](const Finding& finding) {
        return finding.file == TagFile::kFileName       ? 0
               : finding.file == TagFile::kDataFileName ? 1
                                                        : 2;
    };
    std::vector<Finding> findings = m_findings;
    std::stable_sort(findings.begin(), findings.end(), [&](const Finding& a, const Finding& b) {
        return rank(a) != rank(b) ? rank(a) < rank(b) : a.line < b.line;
    });
    return findings;
}

}  // namespace kestavo::vendortools
