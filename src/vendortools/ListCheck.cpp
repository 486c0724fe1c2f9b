#include "vendortools/ListCheck.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <set>

#include "presentation/BillboardDialog.h"
#include "vendortools/CheckText.h"
#include "vendortools/FindingKinds.h"

namespace kestavo::vendortools {

namespace {

using checktext::Join;
using checktext::Quote;
using checktext::StartsWithNumber;

std::vector<std::string> Numbers(const std::vector<int>& records) {
    std::vector<std::string> numbers;
    for (const int record : records) {
        numbers.push_back(std::to_string(record));
    }
    return numbers;
}

}  // namespace

void ListCheck::Run() {
    CheckList("FILESUPPORT", "AB", INT_MAX);
    CheckList("BILLBOARDSKV", "BCDE", BillboardDialog::kMaxBillboards);
    CheckList("ADVACTIONSKV", "ABCDEFGH", INT_MAX);
    CheckKeyFields();
    CheckBillboardTimes();
}

// Records are the numbers that have any of the list's keys; those past
// TOTAL (or past the limit) are never read, and numbers TOTAL counts that
// have no record read as empty.
void ListCheck::CheckList(const std::string& section, const std::string& letters, int limit) {
    std::set<int> records;
    for (const std::string& key : m_folder.Layout().KeysOf(section)) {
        const int index = TagFile::ListIndex(key);
        if (index >= 0 && letters.find(static_cast<char>(key[0] & ~0x20)) != std::string::npos) {
            records.insert(index);
        }
    }
    const int total = m_folder.Tag().ReadCount(section);
    if (total < 0) {
        m_findings.Add(kinds::kNegativeTotal, TagFile::kFileName, section, "TOTAL",
                       "a negative TOTAL: setup.exe reads the list as empty",
                       "write the number of records");
    }
    const std::string totalValue = m_folder.Value(section, "TOTAL");
    const std::vector<int> numbers(records.begin(), records.end());
    if (!numbers.empty() && CheckNumbering(section, numbers, totalValue)) {
        return;
    }
    // A TOTAL written as a word has its own finding.
    if (StartsWithNumber(totalValue)) {
        CheckRecordsAfter(section, letters, numbers, total, INT_MAX + 1LL, false);
    }
    CheckRecordsAfter(section, letters, numbers, limit, total, true);
    const int counted = std::min(total, limit);
    const auto written = std::count_if(records.begin(), records.end(),
                                       [counted](int record) { return record < counted; });
    if (counted > 0 && written < counted) {
        m_findings.Add(kinds::kTotalCountsMissingRecords, TagFile::kFileName, section, "TOTAL",
                       "TOTAL=" + std::to_string(total) + " counts " + std::to_string(counted) +
                           " records, of which " + std::to_string(written) +
                           (written == 1 ? " is" : " are") +
                           " written: setup.exe reads the others as empty",
                       "set TOTAL to the number of records, numbered from 0");
    }
}

// A list without TOTAL, and one numbered from 1 up to TOTAL, each in one
// finding: true when the list has one.
bool ListCheck::CheckNumbering(const std::string& section, const std::vector<int>& records,
                               const std::string& totalValue) {
    const std::string count = std::to_string(records.size());
    if (totalValue.empty()) {
        m_findings.Add(kinds::kNoTotal, TagFile::kFileName, section, "TOTAL",
                       "[" + section +
                           "] has no TOTAL, which reads as 0: setup.exe reads none of its "
                           "records (" +
                           count + " written)",
                       "add TOTAL=" + std::to_string(records.back() + 1));
        return true;
    }
    if (records.front() != 1 || TagFile::AtoI(totalValue) != records.back()) {
        return false;
    }
    m_findings.Add(kinds::kRecordAfterTotal, TagFile::kFileName, section, "TOTAL",
                   "the records are numbered from 1, but setup.exe counts them from 0: it reads "
                   "record 0 as empty and never reads record " +
                       std::to_string(records.back()),
                   "number the records from 0");
    return true;
}

// The records numbered from `from` up to `until` (not included), in one
// finding on the first one's line: those after TOTAL, or the billboards
// past the 20th.
void ListCheck::CheckRecordsAfter(const std::string& section, const std::string& letters,
                                  const std::vector<int>& records, int from, long long until,
                                  bool limit) {
    std::vector<int> past;
    std::copy_if(records.begin(), records.end(), std::back_inserter(past),
                 [&](int record) { return record >= from && record < until; });
    if (past.empty()) {
        return;
    }
    const bool one = past.size() == 1;
    const std::string which = (one ? "record " : "records ") + Join(Numbers(past));
    const std::string key = std::string(1, letters[0]) + std::to_string(past.front());
    const std::size_t line = FirstLineOf(section, letters, past.front());
    if (limit) {
        m_findings.AddAtLine(kinds::kBillboardPastLimit, TagFile::kFileName, line, section, key,
                             "setup.exe shows the first " + std::to_string(from) +
                                 " billboards only: " + which + (one ? " is" : " are") +
                                 " never shown",
                             "keep " + std::to_string(from) + " billboards or fewer");
        return;
    }
    // No TOTAL reaches a record numbered at the end of int: the list must
    // be numbered anew.
    const std::string fix = records.back() < INT_MAX
                                ? "set TOTAL to " + std::to_string(records.back() + 1)
                                : "number the records from 0";
    m_findings.AddAtLine(kinds::kRecordAfterTotal, TagFile::kFileName, line, section, key,
                         which + (one ? " comes" : " come") +
                             " after TOTAL=" + std::to_string(from) + ": setup.exe never reads " +
                             (one ? "it" : "them"),
                         fix);
}

std::size_t ListCheck::FirstLineOf(const std::string& section, const std::string& letters,
                                   int record) const {
    std::size_t first = 0;
    for (const char letter : letters) {
        const std::size_t line =
            m_folder.Layout().LineOf(section, TagFile::ListKey(letter, record));
        first = line != 0 && (first == 0 || line < first) ? line : first;
    }
    return first != 0 ? first : m_folder.Layout().SectionLine(section);
}

// A record needs the field that makes it do anything: a point for a
// program, a picture for a billboard, a type for an action.
void ListCheck::CheckKeyFields() {
    CheckKeyField("FILESUPPORT", 'B', "AB", "has no point: setup.exe never runs its program",
                  "Before installation or After installation");
    CheckKeyField("BILLBOARDSKV", 'B', "BCDE",
                  "has no picture: the billboard keeps the picture before it",
                  "the picture's file name");
    CheckKeyField("ADVACTIONSKV", 'B', "ABCDEFGH", "has no type: setup.exe does nothing for it",
                  "one of the types listed in docs/tag-file.md");
}

void ListCheck::CheckKeyField(const std::string& section, char keyLetter,
                              const std::string& letters, const std::string& message,
                              const std::string& fix) {
    for (const int record : m_folder.Records(section, letters.front(), letters.back())) {
        if (!m_folder.Field(section, keyLetter, record).empty()) {
            continue;
        }
        const bool anyOther = std::any_of(letters.begin(), letters.end(), [&](char letter) {
            return letter != keyLetter && !m_folder.Field(section, letter, record).empty();
        });
        if (anyOther) {
            const std::string key = TagFile::ListKey(keyLetter, record);
            m_findings.AddAtLine(kinds::kRecordWithoutKeyField, TagFile::kFileName,
                                 FirstLineOf(section, letters, record), section, key,
                                 "record " + std::to_string(record) + " " + message,
                                 "write " + key + "=" + fix);
        }
    }
}

// A billboard without a time asks for a timer of 0 ms, which the system
// raises to its shortest: it is replaced before anyone sees it.
void ListCheck::CheckBillboardTimes() {
    const char* section = "BILLBOARDSKV";
    for (const int record : m_folder.Records(section, 'B', 'E')) {
        const std::string picture = m_folder.Field(section, 'B', record);
        const std::string time = m_folder.Field(section, 'C', record);
        if (picture.empty() || TagFile::AtoI(time) != 0) {
            continue;
        }
        const std::string timeKey = TagFile::ListKey('C', record);
        const bool last = record + 1 >= m_folder.EffectiveCount(section);
        m_findings.Add(
            kinds::kBillboardNoTime, TagFile::kFileName, section,
            time.empty() ? TagFile::ListKey('B', record) : timeKey,
            "billboard " + std::to_string(record) + " (" + picture + ") has " +
                (time.empty() ? "no time" : "a time of " + Quote(time) + ", read as 0") +
                ": setup.exe " +
                (last ? "closes the slideshow at once" : "replaces it by the next at once") +
                ", so it is never seen",
            "write " + timeKey + "=the seconds it stays, 1 or more");
    }
}

}  // namespace kestavo::vendortools
