#include "actions/FolderMacros.h"

#include "core/ProcessRunner.h"
#include "core/SetupFolder.h"
#include "driver/SetupProgressDialog.h"

namespace kestavo {

namespace {

struct FolderMacro {
    const char* name;
    std::string SetupProgressDialog::*folder;
};

// The order of replacement: a folder inserted by one macro is searched by
// the macros after it.
const FolderMacro kMacros[] = {
    {"Program Files", &SetupProgressDialog::m_strProgramFilesDir},
    {"Windows Directory", &SetupProgressDialog::m_strWindowsDir},
    {"Shared DLLs", &SetupProgressDialog::m_strSystemDir},
    {"Common Files Directory", &SetupProgressDialog::m_strCommonFilesDir},
    {"Windows Disk", &SetupProgressDialog::m_strWindowsDisk},
    {"Favorites Folder", &SetupProgressDialog::m_strFavoritesDir},
    {"Documents Folder", &SetupProgressDialog::m_strDocumentsDir},
    {"My Pictures Folder", &SetupProgressDialog::m_strMyPicturesDir},
    {"My Music Folder", &SetupProgressDialog::m_strMyMusicDir},
    {"Send To Folder", &SetupProgressDialog::m_strSendToDir},
    {"Fonts Folder", &SetupProgressDialog::m_strFontsDir},
    {"Install Dir", &SetupProgressDialog::m_strInstallDir},
};

// Every occurrence, left to right; what is inserted is not searched again.
// A text of MAX_PATH characters or more is left as it is, which bounds its
// length and the cost of each replacement.
void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::string::size_type at = text.find(from);
         at != std::string::npos && text.size() < kMaxPath; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

}  // namespace

std::vector<std::string> FolderMacroNames() {
    std::vector<std::string> names;
    for (const FolderMacro& macro : kMacros) {
        names.emplace_back(macro.name);
    }
    return names;
}

std::string ExpandFolderMacros(const SetupProgressDialog& dialog, ISystemPort& system,
                               const std::string& text) {
    std::string expanded = text;
    if (EndsWithSeparator(system, expanded)) {
        expanded.pop_back();
    }
    const bool bracketed = expanded.find('<') != std::string::npos;
    for (const FolderMacro& macro : kMacros) {
        const std::string name = bracketed ? "<" + std::string(macro.name) + ">" : macro.name;
        ReplaceAll(expanded, name, dialog.*macro.folder);
    }
    return expanded;
}

}  // namespace kestavo
