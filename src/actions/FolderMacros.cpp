#include "actions/FolderMacros.h"

#include "core/ProcessRunner.h"
#include "core/SetupFolder.h"
#include "core/SetupRunState.h"

namespace kestavo {

namespace {

struct FolderMacro {
    const char* name;
    std::string SetupRunState::*folder;
};

// The order of replacement: a folder inserted by one macro is searched by
// the macros after it.
const FolderMacro kMacros[] = {
    {"Program Files", &SetupRunState::m_strProgramFilesDir},
    {"Windows Directory", &SetupRunState::m_strWindowsDir},
    {"Shared DLLs", &SetupRunState::m_strSystemDir},
    {"Common Files Directory", &SetupRunState::m_strCommonFilesDir},
    {"Windows Disk", &SetupRunState::m_strWindowsDisk},
    {"Favorites Folder", &SetupRunState::m_strFavoritesDir},
    {"Documents Folder", &SetupRunState::m_strDocumentsDir},
    {"My Pictures Folder", &SetupRunState::m_strMyPicturesDir},
    {"My Music Folder", &SetupRunState::m_strMyMusicDir},
    {"Send To Folder", &SetupRunState::m_strSendToDir},
    {"Fonts Folder", &SetupRunState::m_strFontsDir},
    {"Install Dir", &SetupRunState::m_strInstallDir},
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

std::string ExpandFolderMacros(const SetupRunState& run, ISystemPort& system,
                               const std::string& text) {
    std::string expanded = text;
    if (EndsWithSeparator(system, expanded)) {
        expanded.pop_back();
    }
    const bool bracketed = expanded.find('<') != std::string::npos;
    for (const FolderMacro& macro : kMacros) {
        const std::string name = bracketed ? "<" + std::string(macro.name) + ">" : macro.name;
        ReplaceAll(expanded, name, run.*macro.folder);
    }
    return expanded;
}

}  // namespace kestavo
