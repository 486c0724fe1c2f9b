#include "driver/SetupFolder.h"

namespace kestavo {

std::string WithTrailingSeparator(std::string folder) {
    if (folder.empty() || folder.back() != '\\') {
        folder.push_back('\\');
    }
    return folder;
}

std::string FileNamePart(const std::string& path) {
    const std::string::size_type separator = path.find_last_of("\\/:");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string SetupFolderWithSeparator(ISystemPort& system) {
    return WithTrailingSeparator(system.CurrentDirectory());
}

std::string SetupFilePath(ISystemPort& system, const std::string& fileName) {
    return SetupFolderWithSeparator(system) + fileName;
}

}  // namespace kestavo
