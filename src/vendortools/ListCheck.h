#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "vendortools/CheckedFolder.h"
#include "vendortools/FindingList.h"

namespace kestavo::vendortools {

// The three lists (FILESUPPORT, BILLBOARDSKV, ADVACTIONSKV) against their
// TOTAL: records never read, records counted and not written, records
// without the field that makes them do anything, billboards without a time.
class ListCheck {
public:
    ListCheck(const CheckedFolder& folder, FindingList& findings)
        : m_folder(folder), m_findings(findings) {}

    void Run();

private:
    void CheckList(const std::string& section, const std::string& letters, int limit);
    bool CheckNumbering(const std::string& section, const std::vector<int>& records,
                        const std::string& totalValue);
    void CheckRecordsAfter(const std::string& section, const std::string& letters,
                           const std::vector<int>& records, int from, long long until, bool limit);
    void CheckKeyFields();
    void CheckKeyField(const std::string& section, char keyLetter, const std::string& letters,
                       const std::string& message, const std::string& fix);
    void CheckBillboardTimes();
    std::size_t FirstLineOf(const std::string& section, const std::string& letters,
                            int record) const;

    const CheckedFolder& m_folder;
    FindingList& m_findings;
};

}  // namespace kestavo::vendortools
