#include "vendortools/CheckedFolder.h"

#include <algorithm>

#include "actions/SystemProbes.h"
#include "core/SetupFolder.h"
#include "presentation/BillboardDialog.h"
#include "vendortools/TagSchema.h"

namespace kestavo::vendortools {

CheckedFolder::CheckedFolder(const SetupFolderImage& folder)
    : m_folder(folder),
      m_tag(m_machine.system, m_machine.profile),
      m_data(m_machine.system, m_machine.profile, TagFile::kDataFileName),
      m_tagLayout(folder.Bytes(TagFile::kFileName)),
      m_dataLayout(folder.Bytes(TagFile::kDataFileName)) {
    folder.PutInto(m_machine);
}

const TagFile& CheckedFolder::TagOf(const std::string& file) const {
    return file == TagFile::kFileName ? m_tag : m_data;
}

const TagLayout& CheckedFolder::TagLayoutOf(const std::string& file) const {
    return file == TagFile::kFileName ? m_tagLayout : m_dataLayout;
}

bool CheckedFolder::Readable(const std::string& file) const {
    const std::optional<std::string> bytes = m_folder.Bytes(file);
    return bytes &&
           (!TagLayoutOf(file).ByteOrderMark().empty() || bytes->find('\0') == std::string::npos);
}

std::string CheckedFolder::Value(const std::string& section, const std::string& key) const {
    const KeyRule* rule = TagSchema::Find(TagFile::kFileName, section, key);
    return m_tag.Read(section, key, rule == nullptr ? TagFile::kValueCapacity : rule->capacity);
}

std::string CheckedFolder::Field(const std::string& section, char letter, int index) const {
    return Value(section, TagFile::ListKey(letter, index));
}

bool CheckedFolder::Silent() const {
    return m_tag.ReadInt("BUILD", "SILENT", TagFile::kValueCapacity) == 1;
}

int CheckedFolder::EffectiveCount(const std::string& section) const {
    const int total = m_tag.ReadCount(section);
    return section == "BILLBOARDSKV" ? std::min(total, BillboardDialog::kMaxBillboards) : total;
}

bool CheckedFolder::IsRead(const std::string& section, const std::string& key) const {
    const KeyRule* rule = TagSchema::Find(TagFile::kFileName, section, key);
    return rule == nullptr || !TagSchema::IsListKey(*rule) ||
           TagFile::ListIndex(key) < EffectiveCount(section);
}

std::vector<int> CheckedFolder::Records(const std::string& section, char first, char last) const {
    std::vector<int> records = m_tag.RecordNumbers(section, first, last);
    records.erase(std::lower_bound(records.begin(), records.end(), EffectiveCount(section)),
                  records.end());
    records.erase(std::unique(records.begin(), records.end()), records.end());
    return records;
}

std::string CheckedFolder::Resolved(const std::string& relativePath) const {
    const std::string folder = SetupFolderWithSeparator(m_machine.system);
    const std::string full = m_machine.system.FullPathName(folder + relativePath);
    const bool inside =
        full.size() > folder.size() &&
        sim::SimFiles::Normalize(full.substr(0, folder.size())) == sim::SimFiles::Normalize(folder);
    return inside ? full.substr(folder.size()) : relativePath;
}

bool CheckedFolder::InSetupFolder(const std::string& relativePath) const {
    return m_machine.system.FileExists(SetupFilePath(m_machine.system, Resolved(relativePath)));
}

bool CheckedFolder::LeadsOut(const std::string& relativePath) const {
    return relativePath.find("..") != std::string::npos && Resolved(relativePath) == relativePath;
}

bool CheckedFolder::FileConditionHolds(const std::string& path) const {
    return SystemProbes(m_machine.GetPorts()).FileExists(path);
}

std::string CheckedFolder::FileName(const std::string& path) const {
    return FileNamePart(m_machine.system, path);
}

}  // namespace kestavo::vendortools
