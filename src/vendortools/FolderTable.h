#pragma once

#include <string>
#include <vector>

#include "core/SetupRunState.h"
#include "platform/sim/SimMachine.h"
#include "vendortools/SetupFolderImage.h"

namespace kestavo::vendortools {

// The folder table as setup.exe fills it, on a Windows XP machine that has
// every folder, with the vendor's data.tag: what the folder macros become,
// and which of them are still empty when data.tag's install folder is
// expanded. Every answer comes from the program's own InitFolders and
// ExpandFolderMacros.
class FolderTable {
public:
    explicit FolderTable(const SetupFolderImage& folder);
    FolderTable(const FolderTable&) = delete;
    FolderTable& operator=(const FolderTable&) = delete;

    // The text as setup.exe expands it on that machine.
    std::string Expand(const std::string& text) const;
    // The macros setup.exe replaces in the text, by name, in text order.
    std::vector<std::string> MacrosReplacedIn(const std::string& text) const;
    // The "<name>"s of the text that stay as they are written, by name.
    std::vector<std::string> NamesLeftIn(const std::string& text) const;
    // Whether the macro's folder is still empty when data.tag is read.
    bool EmptyWhenInstallFolderIsRead(const std::string& macro) const;
    // Whether the macro's folder is empty on this machine: only the install
    // folder can be, when data.tag names none.
    bool EmptyOnMachine(const std::string& macro) const;

private:
    void FillMarkers();
    std::string ExpandWith(const SetupRunState& table, const std::string& text) const;

    mutable sim::SimMachine m_machine;
    SetupRunState m_filled;
    // Each folder a marker no text holds, to see which macro was replaced.
    SetupRunState m_markers;
    std::vector<std::string> m_lateMacros;
};

}  // namespace kestavo::vendortools
