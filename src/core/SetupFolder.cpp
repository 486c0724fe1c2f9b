#include "core/SetupFolder.h"

#include <cstring>

namespace kestavo {

namespace {

struct Separators {
    // Where the last character among `wanted` starts, or npos.
    std::string::size_type last = std::string::npos;
    // Where the path's last character starts, or npos when it is empty.
    std::string::size_type lastCharacter = std::string::npos;
};

Separators FindSeparators(ISystemPort& system, const std::string& path, const char* wanted) {
    Separators found;
    for (std::string::size_type at = 0; at < path.size();) {
        found.lastCharacter = at;
        const unsigned char byte = static_cast<unsigned char>(path[at]);
        if (system.IsLeadByte(byte) && at + 1 < path.size()) {
            at += 2;
            continue;
        }
        if (byte != '\0' && std::strchr(wanted, byte) != nullptr) {
            found.last = at;
        }
        ++at;
    }
    return found;
}

}  // namespace

bool EndsWithSeparator(ISystemPort& system, const std::string& path) {
    const Separators found = FindSeparators(system, path, "\\");
    return found.last != std::string::npos && found.last == found.lastCharacter;
}

std::string WithTrailingSeparator(ISystemPort& system, std::string folder) {
    if (!EndsWithSeparator(system, folder)) {
        folder.push_back('\\');
    }
    return folder;
}

std::string FileNamePart(ISystemPort& system, const std::string& path) {
    const std::string::size_type separator = FindSeparators(system, path, "\\/:").last;
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string SetupFolderWithSeparator(ISystemPort& system) {
    return WithTrailingSeparator(system, system.CurrentDirectory());
}

std::string SetupFilePath(ISystemPort& system, const std::string& fileName) {
    return SetupFolderWithSeparator(system) + fileName;
}

}  // namespace kestavo
