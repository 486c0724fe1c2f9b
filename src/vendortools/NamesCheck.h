#pragma once

#include <string>

#include "vendortools/CheckedFolder.h"
#include "vendortools/FindingList.h"
#include "vendortools/TagLayout.h"

namespace kestavo::vendortools {

// A tag file's encoding and its names: sections and keys setup.exe never
// reads (misspelled, of the other file, written twice), and text its ANSI
// reading shows otherwise than the vendor's editor.
class NamesCheck {
public:
    NamesCheck(const CheckedFolder& folder, FindingList& findings)
        : m_folder(folder), m_findings(findings) {}

    void Run(const std::string& file);

private:
    void CheckEncoding(const std::string& file);
    void CheckNames(const std::string& file);
    void CheckSectionName(const std::string& file, const TagLayout::Line& line);
    void CheckKeyName(const std::string& file, const TagLayout::Line& line);
    void CheckUnknownKey(const std::string& file, const TagLayout::Line& line);

    const CheckedFolder& m_folder;
    FindingList& m_findings;
};

}  // namespace kestavo::vendortools
