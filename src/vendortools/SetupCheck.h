#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "core/TagFile.h"
#include "platform/sim/SimMachine.h"
#include "vendortools/Finding.h"
#include "vendortools/SetupFolderImage.h"
#include "vendortools/TagLayout.h"
#include "vendortools/TagSchema.h"

namespace kestavo::vendortools {

// Finds what a setup folder makes setup.exe do other than its vendor wrote,
// and what it reads in ways a vendor may not expect. Every value is read as
// setup.exe reads it: the folder is laid out on a simulated machine and read
// through the program's own tag-file reader, keys and buffers; the lines
// come from the same profile reader.
class SetupCheck {
public:
    explicit SetupCheck(const SetupFolderImage& folder);

    // Everything found, file by file in line order.
    std::vector<Finding> Run();

    // The value setup.exe reads for a key of kestavo.tag or data.tag, through
    // its buffer, or through a buffer of `capacity` characters.
    std::string ValueAsRead(const std::string& file, const std::string& section,
                            const std::string& key) const;
    std::string ValueAsRead(const std::string& file, const std::string& section,
                            const std::string& key, std::size_t capacity) const;

private:
    const TagLayout& LayoutOf(const std::string& file) const;
    const TagFile& TagOf(const std::string& file) const;
    void Add(Severity severity, const std::string& file, const std::string& section,
             const std::string& key, std::string message, std::string fix = "");
    void AddAtLine(Severity severity, const std::string& file, std::size_t line,
                   const std::string& section, const std::string& key, std::string message,
                   std::string fix = "");

    void CheckFile(const std::string& file);
    void CheckEncoding(const std::string& file);
    void CheckNames(const std::string& file);
    void CheckValues(const std::string& file);
    void CheckValue(const std::string& file, const std::string& section, const std::string& key,
                    const KeyRule& rule);
    void CheckCut(const std::string& file, const std::string& section, const std::string& key,
                  const KeyRule& rule);
    void CheckNumber(const std::string& file, const std::string& section, const std::string& key,
                     const KeyRule& rule, const std::string& value);
    void CheckKeyword(const std::string& file, const std::string& section, const std::string& key,
                      const KeyRule& rule, const std::string& value);
    void CheckColour(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value);
    void CheckFolderMacros(const std::string& file, const std::string& section,
                           const std::string& key, const std::string& value);
    void CheckHiddenTexts();
    void CheckList(const std::string& section, const std::string& letters, int limit);
    void CheckFiles();
    void CheckSplashFiles();
    void CheckBackgroundPicture();
    void CheckBillboardPictures();
    void CheckPrograms();
    void CheckActionPrograms();
    void RequireFile(const std::string& relativePath, Severity severity, const std::string& section,
                     const std::string& key, const std::string& message, const std::string& fix);

    // Whether setup.exe reads this key of a list at all: list entries past
    // TOTAL (and billboards past the 20th) are never read.
    bool IsRead(const std::string& section, const std::string& key) const;
    int EffectiveCount(const std::string& section) const;
    std::vector<int> ReadRecords(const std::string& section) const;
    std::string ConsequenceOf(const std::string& section, const std::string& key) const;
    std::string SetupFile(const std::string& name) const;

    const SetupFolderImage& m_folder;
    sim::SimMachine m_machine;
    TagFile m_tag;
    TagFile m_data;
    TagLayout m_tagLayout;
    TagLayout m_dataLayout;
    std::vector<Finding> m_findings;
};

}  // namespace kestavo::vendortools
