#include "vendortools/SetupFolderImage.h"

#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

namespace kestavo::vendortools {

namespace {

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

// Names compare as the simulated machine compares them.
std::string SetupFolderImage::Normalize(const std::string& relativePath) {
    return sim::SimFiles::Normalize(relativePath);
}

// Unreadable entries are passed over: the setup would not find them either.
std::optional<SetupFolderImage> SetupFolderImage::Load(const std::filesystem::path& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        return std::nullopt;
    }
    SetupFolderImage image;
    const auto options = std::filesystem::directory_options::skip_permission_denied;
    for (std::filesystem::recursive_directory_iterator it(folder, options, error), end;
         !error && it != end; it.increment(error)) {
        if (!it->is_regular_file(error)) {
            continue;
        }
        std::string relative = it->path().lexically_relative(folder).generic_string();
        const bool large = it->file_size(error) > kLargestKept;
        image.Put(relative, large ? std::string() : ReadAll(it->path()));
    }
    return image;
}

void SetupFolderImage::Put(const std::string& relativePath, std::string bytes) {
    std::string windowsPath = relativePath;
    for (char& c : windowsPath) {
        c = c == '/' ? '\\' : c;
    }
    m_files[Normalize(relativePath)] = File{windowsPath, std::move(bytes)};
}

std::optional<std::string> SetupFolderImage::Bytes(const std::string& relativePath) const {
    const auto found = m_files.find(Normalize(relativePath));
    if (found == m_files.end()) {
        return std::nullopt;
    }
    return found->second.bytes;
}

bool SetupFolderImage::Has(const std::string& relativePath) const {
    return m_files.count(Normalize(relativePath)) != 0;
}

std::vector<std::string> SetupFolderImage::Programs() const {
    std::vector<std::string> programs;
    for (const auto& entry : m_files) {
        const std::string& name = entry.first;
        const std::string extension = name.size() > 4 ? name.substr(name.size() - 4) : "";
        if (extension == ".exe" || extension == ".com" || extension == ".bat") {
            programs.push_back(entry.second.relativePath);
        }
    }
    return programs;
}

void SetupFolderImage::PutInto(sim::SimMachine& machine, const std::string& folder) const {
    machine.system.currentDirectory = folder;
    for (const auto& entry : m_files) {
        machine.files.Put(folder + "\\" + entry.second.relativePath, entry.second.bytes);
    }
}

}  // namespace kestavo::vendortools
