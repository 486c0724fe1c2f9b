#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "vendortools/CheckedFolder.h"
#include "vendortools/Finding.h"
#include "vendortools/FindingList.h"
#include "vendortools/SetupFolderImage.h"
#include "vendortools/TagSchema.h"

namespace kestavo::vendortools {

// Finds what a setup folder makes setup.exe do other than its vendor wrote,
// and what it reads in ways a vendor may not expect. Every value is read as
// setup.exe reads it: the folder is laid out on a simulated machine and read
// through the program's own tag-file reader, keys and buffers; the lines
// come from the same profile reader. This class checks the tag files'
// values; their names, the lists, the files of the folder, the action list,
// the folder macros and the modes have checks of their own.
class SetupCheck {
public:
    explicit SetupCheck(const SetupFolderImage& folder);

    // Silences every finding of a kind (a code such as "KT502").
    void Ignore(const std::string& code) { m_ignored.insert(code); }
    // Whether the code names a kind of finding.
    static bool IsCode(const std::string& code);

    // Everything found and not silenced, file by file in line order.
    std::vector<Finding> Run();
    // How many findings the last run silenced.
    std::size_t IgnoredCount() const { return m_ignoredCount; }

    // The value setup.exe reads for a key of kestavo.tag or data.tag, through
    // its buffer, or through a buffer of `capacity` characters.
    std::string ValueAsRead(const std::string& file, const std::string& section,
                            const std::string& key) const;
    std::string ValueAsRead(const std::string& file, const std::string& section,
                            const std::string& key, std::size_t capacity) const;

private:
    void CheckFile(const std::string& file);
    void CheckValues(const std::string& file);
    void CheckValue(const std::string& file, const std::string& section, const std::string& key,
                    const KeyRule& rule);
    static bool IsShownText(const std::string& section, const std::string& key);
    static bool TakesComment(const std::string& section, const std::string& key,
                             const KeyRule& rule);
    bool CheckComment(const std::string& file, const std::string& section, const std::string& key,
                      const std::string& value);
    void CheckEscape(const std::string& section, const std::string& key, const std::string& value);
    void CheckCut(const std::string& file, const std::string& section, const std::string& key,
                  const KeyRule& rule);
    void CheckNumber(const std::string& file, const std::string& section, const std::string& key,
                     const KeyRule& rule, const std::string& value);
    void CheckNoDigits(const std::string& section, const std::string& key, const KeyRule& rule,
                       const std::string& value);
    void CheckZeroSeconds(const std::string& section, const std::string& key,
                          const std::string& value);
    void CheckKeyword(const std::string& file, const std::string& section, const std::string& key,
                      const KeyRule& rule, const std::string& value);
    void CheckColour(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value);
    std::string ConsequenceOf(const std::string& section, const std::string& key) const;
    std::string OtherFieldOf(const std::string& file, const std::string& section,
                             const std::string& key, const std::string& value) const;
    bool SplashShown() const;

    CheckedFolder m_folder;
    FindingList m_findings;
    std::set<std::string> m_ignored;
    std::size_t m_ignoredCount = 0;
};

}  // namespace kestavo::vendortools
