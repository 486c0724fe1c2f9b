#include "platform/sim/SimSystem.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

#include "platform/WinConst.h"

namespace kestavo::sim {

bool SimSystem::IsLeadByte(unsigned char byte) {
    switch (codePage) {
        case 932:
            return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        case 936:
        case 949:
        case 950:
            return byte >= 0x81 && byte <= 0xFE;
        default:
            return false;
    }
}

std::string SimSystem::EnvironmentVariable(const std::string& name) {
    const auto it = environment.find(name);
    return it == environment.end() ? std::string() : it->second;
}

std::string SimSystem::SpecialFolderPath(int csidl) {
    const auto it = specialFolders.find(csidl);
    return it == specialFolders.end() ? std::string() : it->second;
}

// A relative path is taken from the current folder, "." and ".." are
// resolved, and a result that does not fit MAX_PATH fails.
std::string SimSystem::FullPathName(const std::string& path) {
    std::string full = path;
    std::replace(full.begin(), full.end(), '/', '\\');
    if (full.size() >= 2 && full[1] == ':' && (full.size() == 2 || full[2] != '\\')) {
        full = WithSeparator(currentDirectory) + full.substr(2);
    } else if (!full.empty() && full[0] == '\\') {
        full = currentDirectory.substr(0, 2) + full;
    } else if (full.size() < 2 || full[1] != ':') {
        full = WithSeparator(currentDirectory) + full;
    }
    std::vector<std::string> parts;
    std::string::size_type start = 3;
    while (start <= full.size()) {
        const std::string::size_type end = std::min(full.find('\\', start), full.size());
        const std::string part = full.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string resolved = full.substr(0, 3);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        resolved += (i == 0 ? "" : "\\") + parts[i];
    }
    return resolved.size() < 260 ? resolved : std::string();
}

bool SimSystem::FileExists(const std::string& path) {
    return HasMedium(FullPathName(path)) && m_files.Exists(path);
}

bool SimSystem::AnyFileMatches(const std::string& pattern) {
    const std::string full = FullPathName(pattern);
    return !full.empty() && HasMedium(full) && m_files.AnyMatches(full);
}

unsigned SimSystem::SetErrorMode(unsigned mode) {
    const unsigned replaced = errorMode;
    errorMode = mode;
    return replaced;
}

// A look at a drive without its medium fails. Unless the error mode says
// to fail at once, Windows first asks for a disk in a box and waits for
// someone to answer it.
bool SimSystem::HasMedium(const std::string& fullPath) {
    if (fullPath.empty()) {
        return true;
    }
    const char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(fullPath[0])));
    if (drivesWithoutMedium.find(drive) == std::string::npos) {
        return true;
    }
    if ((errorMode & SEM_FAILCRITICALERRORS) == 0) {
        Trace(std::string("critical error box: no disk in drive ") + drive + ":");
    }
    return false;
}

std::string SimSystem::WithSeparator(std::string folder) {
    if (folder.empty() || folder.back() != '\\') {
        folder.push_back('\\');
    }
    return folder;
}

void SimSystem::EnableHeapTerminationOnCorruption() {
    Trace("heap: terminate on corruption");
}

bool SimSystem::SetDefaultDllDirectories(unsigned long flags) {
    if (!defaultDllDirectoriesExported) {
        return false;
    }
    char text[16];
    std::snprintf(text, sizeof text, "0x%lX", flags);
    Trace(std::string("default dll directories ") + text);
    return true;
}

void SimSystem::RemoveCurrentFolderFromSearch() {
    Trace("dll directory \"\"");
}

void SimSystem::LoadByPathWithAlteredSearchPath() {
    Trace("load by path: altered search path");
}

// The name as the program gave it: putting the system folder before it is
// the Windows adapter's work, which only Windows can show.
void SimSystem::PreloadSystemLibrary(const std::string& name) {
    Trace("preload " + name);
}

bool SimSystem::StartSockets(unsigned short version) {
    const bool started = socketsAvailable && socketsVersion == version;
    Trace(started ? "sockets started" : "sockets failed");
    return started;
}

void SimSystem::EnableThreeDimensionalControls() {
    Trace("3d controls");
}

void SimSystem::InitCommonControls() {
    Trace("common controls");
}

}  // namespace kestavo::sim
