#include "vendortools/FolderTable.h"

#include <algorithm>

#include "actions/FolderMacros.h"
#include "core/SetupFolder.h"
#include "core/TagFile.h"
#include "driver/SetupProgressDialog.h"
#include "platform/WinConst.h"
#include "vendortools/MachineProfile.h"

namespace kestavo::vendortools {

namespace {

constexpr char kMarkerStart = '\x01';
constexpr char kMarkerEnd = '\x02';

SetupRunState FilledTable(Ports& ports) {
    SetupProgressDialog dialog(ports);
    dialog.InitFolders();
    return dialog;
}

}  // namespace

FolderTable::FolderTable(const SetupFolderImage& folder) {
    MachineProfile::BuiltIn("winxp")->Apply(m_machine, {});
    const std::string profile = "C:\\Documents and Settings\\Vendor\\";
    m_machine.system.specialFolders = {
        {CSIDL_FAVORITES, profile + "Favorites"},
        {CSIDL_COMMON_DOCUMENTS, "C:\\Documents and Settings\\All Users\\Documents"},
        {CSIDL_MYPICTURES, profile + "My Documents\\My Pictures"},
        {CSIDL_MYMUSIC, profile + "My Documents\\My Music"},
        {CSIDL_SENDTO, profile + "SendTo"},
        {CSIDL_FONTS, "C:\\WINDOWS\\Fonts"},
    };
    folder.PutInto(m_machine);
    m_filled = FilledTable(m_machine.GetPorts());
    // A fresh dialog for each macro: its table is filled once, in order.
    const std::string dataTag = SetupFilePath(m_machine.system, TagFile::kDataFileName);
    for (const std::string& macro : FolderMacroNames()) {
        m_machine.files.Put(dataTag, "[APPINFO]\r\n5=<" + macro + ">\r\n");
        if (FilledTable(m_machine.GetPorts()).m_strInstallDir.empty()) {
            m_lateMacros.push_back(macro);
        }
    }
    FillMarkers();
}

void FolderTable::FillMarkers() {
    static constexpr std::string SetupRunState::*kFolders[] = {
        &SetupRunState::m_strWindowsDir,     &SetupRunState::m_strWindowsDisk,
        &SetupRunState::m_strSystemDir,      &SetupRunState::m_strProgramFilesDir,
        &SetupRunState::m_strCommonFilesDir, &SetupRunState::m_strFavoritesDir,
        &SetupRunState::m_strDocumentsDir,   &SetupRunState::m_strMyPicturesDir,
        &SetupRunState::m_strMyMusicDir,     &SetupRunState::m_strSendToDir,
        &SetupRunState::m_strFontsDir,       &SetupRunState::m_strInstallDir};
    char id = 'A';
    for (std::string SetupRunState::*folder : kFolders) {
        m_markers.*folder = std::string{kMarkerStart, id++, kMarkerEnd};
    }
}

std::string FolderTable::ExpandWith(const SetupRunState& table, const std::string& text) const {
    return ExpandFolderMacros(table, m_machine.system, text);
}

std::string FolderTable::Expand(const std::string& text) const {
    return ExpandWith(m_filled, text);
}

std::vector<std::string> FolderTable::MacrosReplacedIn(const std::string& text) const {
    const std::vector<std::string> names = FolderMacroNames();
    std::vector<std::string> markers;
    for (const std::string& name : names) {
        markers.push_back(ExpandWith(m_markers, "<" + name + ">"));
    }
    const std::string expanded = ExpandWith(m_markers, text);
    std::vector<std::string> found;
    for (std::string::size_type at = expanded.find(kMarkerStart);
         at != std::string::npos && at + 3 <= expanded.size();
         at = expanded.find(kMarkerStart, at + 1)) {
        const auto marker = std::find(markers.begin(), markers.end(), expanded.substr(at, 3));
        if (marker != markers.end()) {
            found.push_back(names[static_cast<std::size_t>(marker - markers.begin())]);
        }
    }
    return found;
}

std::vector<std::string> FolderTable::NamesLeftIn(const std::string& text) const {
    const std::string expanded = ExpandWith(m_markers, text);
    std::vector<std::string> names;
    for (std::string::size_type open = expanded.find('<'); open != std::string::npos;
         open = expanded.find('<', open + 1)) {
        const std::string::size_type close = expanded.find_first_of("<>", open + 1);
        if (close != std::string::npos && expanded[close] == '>') {
            names.push_back(expanded.substr(open + 1, close - open - 1));
        }
    }
    return names;
}

bool FolderTable::EmptyWhenInstallFolderIsRead(const std::string& macro) const {
    return std::find(m_lateMacros.begin(), m_lateMacros.end(), macro) != m_lateMacros.end();
}

bool FolderTable::EmptyOnMachine(const std::string& macro) const {
    return Expand("<" + macro + ">").empty();
}

}  // namespace kestavo::vendortools
