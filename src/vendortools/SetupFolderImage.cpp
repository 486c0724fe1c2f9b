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
        const std::uintmax_t size = it->file_size(error);
        if (size > kLargestKept) {
            image.PutLarge(relative, size);
        } else {
            image.Put(relative, ReadAll(it->path()));
        }
    }
    return image;
}

void SetupFolderImage::Put(const std::string& relativePath, std::string bytes) {
    std::string windowsPath = relativePath;
    for (char& c : windowsPath) {
        c = c == '/' ? '\\' : c;
    }
    const std::uintmax_t size = bytes.size();
    m_files[Normalize(relativePath)] = File{windowsPath, std::move(bytes), size};
}

void SetupFolderImage::PutLarge(const std::string& relativePath, std::uintmax_t size) {
    Put(relativePath, std::string());
    m_files[Normalize(relativePath)].size = size;
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

std::optional<std::uintmax_t> SetupFolderImage::Size(const std::string& relativePath) const {
    const auto found = m_files.find(Normalize(relativePath));
    if (found == m_files.end()) {
        return std::nullopt;
    }
    return found->second.size;
}

std::vector<std::string> SetupFolderImage::Files() const {
    std::vector<std::string> files;
    for (const auto& entry : m_files) {
        files.push_back(entry.second.relativePath);
    }
    return files;
}

bool SetupFolderImage::IsProgram(const std::string& relativePath) const {
    const auto found = m_files.find(Normalize(relativePath));
    if (found == m_files.end()) {
        return false;
    }
    const std::string& name = found->first;
    const std::string extension = name.size() > 4 ? name.substr(name.size() - 4) : "";
    return extension == ".exe" || extension == ".com" || extension == ".bat" ||
           found->second.bytes.compare(0, 2, "MZ") == 0;
}

std::vector<std::string> SetupFolderImage::Programs() const {
    std::vector<std::string> programs;
    for (const auto& entry : m_files) {
        if (IsProgram(entry.first)) {
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
