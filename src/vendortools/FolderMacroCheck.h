#pragma once

#include <string>

#include "vendortools/CheckedFolder.h"
#include "vendortools/FindingList.h"
#include "vendortools/FolderTable.h"

namespace kestavo::vendortools {

// Folder macros and the notations setup.exe takes literally. Two texts are
// expanded: data.tag's install folder and the subject of "If the file
// described below exists"; there a macro must be one of the twelve, written
// exactly, filled when the text is read, and a text without "<" has its
// bare macro words replaced. Every other path is taken as written, macros
// and environment variables included.
class FolderMacroCheck {
public:
    FolderMacroCheck(const CheckedFolder& folder, FindingList& findings);

    void Run();

private:
    void CheckInstallFolder();
    void CheckFileConditions();
    void CheckRelative(const std::string& key, const std::string& value);
    void CheckLiteralPaths();
    void CheckExpanded(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& value, bool installFolder);
    void CheckBareBesideBracketed(const std::string& file, const std::string& section,
                                  const std::string& key, const std::string& value);
    void CheckBareWords(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value, bool installFolder);
    void CheckEmptyMacros(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& value, bool installFolder);
    void CheckLiteral(const std::string& section, const std::string& key, const std::string& what);
    void CheckEnvironment(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& value);

    const CheckedFolder& m_folder;
    FindingList& m_findings;
    FolderTable m_table;
};

}  // namespace kestavo::vendortools
