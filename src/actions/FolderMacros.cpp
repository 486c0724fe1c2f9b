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
// The text is formed anew in one pass rather than edited in place, so the
// cost grows with its length, not with its length times the occurrences.
std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to) {
    std::string replaced;
    std::string::size_type done = 0;
    for (std::string::size_type at = text.find(from);
         at != std::string::npos && replaced.size() < kMaxPath; at = text.find(from, done)) {
        replaced.append(text, done, at - done).append(to);
        done = at + from.size();
    }
    return replaced.size() < kMaxPath ? replaced.append(text, done, std::string::npos) : replaced;
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
        expanded = ReplaceAll(expanded, name, dialog.*macro.folder);
        if (expanded.size() >= kMaxPath) {
            expanded.resize(kMaxPath);
            break;
        }
    }
    return expanded;
}

}  // namespace kestavo
