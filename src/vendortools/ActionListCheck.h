#pragma once

#include <string>
#include <vector>

#include "actions/AdvancedAction.h"
#include "vendortools/CheckedFolder.h"
#include "vendortools/FindingList.h"

namespace kestavo::vendortools {

// What the action list does that its vendor may not have meant: records
// that run twice, stops that always happen, choices and fields a record's
// type never reads, conditions on nothing, and windows a silent setup
// still shows.
class ActionListCheck {
public:
    ActionListCheck(const CheckedFolder& folder, FindingList& findings)
        : m_folder(folder), m_findings(findings) {}

    void Run();

private:
    AdvancedAction Read(int record) const;
    void CheckRecord(int record, const AdvancedAction& action);
    // True when the record is a condition that does nothing, said once.
    bool CheckDoesNothing(int record, const AdvancedAction& action);
    void CheckSubjectNotation(int record, const AdvancedAction& action);
    void CheckSystemCondition(int record, const AdvancedAction& action);
    // The one field the record's type needs and finds empty; the fields
    // it holds are named from the misplaced text, if any.
    std::string CheckEmptyField(int record, const AdvancedAction& action);
    void CheckMessage(int record, const AdvancedAction& action);
    void CheckSubject(int record, const AdvancedAction& action);
    void CheckCompletion(int record, const AdvancedAction& action);
    void CheckUnreadFields(int record, const AdvancedAction& action, const std::string& placed);
    void CheckWaitParameters(int record, const AdvancedAction& action);
    void CheckSilentWindows(int record, const AdvancedAction& action);
    void CheckSecondPass(const std::vector<int>& records);

    // The letters of the fields the record's type reads, beside A, B and F.
    std::string ReadLetters(const AdvancedAction& action) const;

    const CheckedFolder& m_folder;
    FindingList& m_findings;
};

}  // namespace kestavo::vendortools
