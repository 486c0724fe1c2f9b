#pragma once

#include <string>
#include <vector>

#include "core/TagFile.h"
#include "platform/sim/SimMachine.h"
#include "vendortools/SetupFolderImage.h"
#include "vendortools/TagLayout.h"

namespace kestavo::vendortools {

// A vendor's setup folder as setup.exe would find it: laid out on a
// simulated machine, its tag files read through the program's own reader,
// keys and buffers, their lines numbered by the same profile reader.
class CheckedFolder {
public:
    explicit CheckedFolder(const SetupFolderImage& folder);
    CheckedFolder(const CheckedFolder&) = delete;
    CheckedFolder& operator=(const CheckedFolder&) = delete;

    const SetupFolderImage& Image() const { return m_folder; }
    const TagFile& Tag() const { return m_tag; }
    const TagFile& Data() const { return m_data; }
    const TagFile& TagOf(const std::string& file) const;
    const TagLayout& TagLayoutOf(const std::string& file) const;
    const TagLayout& Layout() const { return m_tagLayout; }
    // Whether setup.exe can read settings from the tag file: it is there,
    // and it is text (a file without a byte-order mark that holds NUL
    // bytes, UTF-16 or binary, gives none).
    bool Readable(const std::string& file) const;
    const TagLayout& DataLayout() const { return m_dataLayout; }

    // A key of kestavo.tag read as setup.exe reads it, through its buffer.
    std::string Value(const std::string& section, const std::string& key) const;
    // Field `letter` of record `index` of a list section.
    std::string Field(const std::string& section, char letter, int index) const;

    // Whether setup.exe runs silently: BUILD SILENT read as exactly 1.
    bool Silent() const;
    // How many records of a list setup.exe reads: TOTAL, and no more than
    // 20 billboards.
    int EffectiveCount(const std::string& section) const;
    // Whether setup.exe reads this key of a list at all: list entries past
    // TOTAL (and billboards past the 20th) are never read.
    bool IsRead(const std::string& section, const std::string& key) const;
    // The records setup.exe reads that have a key of a letter from `first`
    // to `last`: by the keys written, whatever number TOTAL names.
    std::vector<int> Records(const std::string& section, char first, char last) const;

    // A path relative to the setup folder as Windows resolves it ("." and
    // ".." taken out, "/" made "\"), relative to the folder again; as it
    // is when it leads out of the folder.
    std::string Resolved(const std::string& relativePath) const;
    // Whether a path relative to the setup folder names a file there, as
    // setup.exe's machine finds it.
    bool InSetupFolder(const std::string& relativePath) const;
    // Whether a relative path leads out of the setup folder ("..\\tool.exe"),
    // to files no check can see.
    bool LeadsOut(const std::string& relativePath) const;
    // What the file condition's own probe answers for a path on a machine
    // that holds the setup folder alone.
    bool FileConditionHolds(const std::string& path) const;
    // The file-name part of a path, as setup.exe takes it.
    std::string FileName(const std::string& path) const;

private:
    const SetupFolderImage& m_folder;
    // Only read, but the machine's ports are not const.
    mutable sim::SimMachine m_machine;
    TagFile m_tag;
    TagFile m_data;
    TagLayout m_tagLayout;
    TagLayout m_dataLayout;
};

}  // namespace kestavo::vendortools
