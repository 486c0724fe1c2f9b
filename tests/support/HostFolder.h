#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace kestavo::test {

// A folder on the host's disk for one test, named after it and the process,
// so that test runs side by side keep apart; removed with everything in it
// when the test ends.
class HostFolder {
public:
    HostFolder()
        : m_path(std::filesystem::path(testing::TempDir()) /
                 ("kestavo-" +
                  std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
                  std::to_string(::getpid()))) {
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~HostFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    HostFolder(const HostFolder&) = delete;
    HostFolder& operator=(const HostFolder&) = delete;

    void Put(const std::string& relativePath, const std::string& bytes) const {
        const std::filesystem::path file = m_path / relativePath;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
    }
    std::string Path(const std::string& relativePath = "") const {
        return (relativePath.empty() ? m_path : m_path / relativePath).string();
    }

private:
    std::filesystem::path m_path;
};

}  // namespace kestavo::test
