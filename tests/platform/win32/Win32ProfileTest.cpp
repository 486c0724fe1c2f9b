#include "platform/win32/Win32Profile.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ProfileCorpus.h"

namespace kestavo::win32 {
namespace {

using test::ProfileCorpus;

// A folder of the test's own under the temporary folder, removed with all
// that the test made in it. Files and folders are made and removed through
// the \\?\ form of their paths, which can be deeper than MAX_PATH.
class ScratchFolder {
public:
    ScratchFolder()
        : m_path(TempFolder() + "kestavo-profile-" + std::to_string(GetCurrentProcessId())) {
        MakeFolder(m_path);
    }

    ~ScratchFolder() {
        for (auto file = m_files.rbegin(); file != m_files.rend(); ++file) {
            DeleteFileW(Unlimited(*file).c_str());
        }
        for (auto folder = m_folders.rbegin(); folder != m_folders.rend(); ++folder) {
            RemoveDirectoryW(Unlimited(*folder).c_str());
        }
    }

    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return m_path; }

    // A folder below this one whose full path is exactly `length` characters long.
    std::string MakeDeepFolder(std::size_t length) {
        const std::string folder = ProfileCorpus::FolderOfLength(m_path + "\\", length);
        std::size_t separator = m_path.size();
        do {
            separator = folder.find('\\', separator + 1);
            MakeFolder(folder.substr(0, separator));
        } while (separator != std::string::npos);
        return folder;
    }

    void Write(const std::string& path, const std::string& content) {
        const HANDLE file = CreateFileW(Unlimited(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot make " << path;
        m_files.push_back(path);
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
        EXPECT_EQ(written, content.size()) << path;
    }

private:
    static std::string TempFolder() {
        char folder[MAX_PATH + 1] = {};
        GetTempPathA(sizeof folder, folder);
        return folder;
    }

    static std::wstring Unlimited(const std::string& path) {
        const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(length), L'\0');
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], length);
        wide.pop_back();
        return L"\\\\?\\" + wide;
    }

    void MakeFolder(const std::string& path) {
        if (CreateDirectoryW(Unlimited(path).c_str(), nullptr)) {
            m_folders.push_back(path);
        }
    }

    std::string m_path;
    std::vector<std::string> m_files;
    std::vector<std::string> m_folders;
};

class Win32ProfileTest : public ::testing::Test {
protected:
    ScratchFolder m_folder;
    Win32Profile m_profile;
};

TEST_F(Win32ProfileTest, AnswersEveryCorpusQueryAsExpected) {
    const ProfileCorpus corpus(SETUP_TEST_CORPUS_DIR "/profile");
    const auto queries = corpus.Queries();
    ASSERT_FALSE(queries.empty());
    for (const auto& [name, content] : corpus.Files(queries)) {
        m_folder.Write(m_folder.Path() + "\\" + name, content);
    }

    for (const auto& query : queries) {
        const std::string value = m_profile.ReadString(m_folder.Path() + "\\" + query.file,
                                                       query.section, query.key, query.capacity);
        EXPECT_EQ(ProfileCorpus::Escape(value), ProfileCorpus::Escape(query.expected))
            << "expectations.txt line " << query.line;
    }
}

TEST_F(Win32ProfileTest, ListsEveryCorpusSectionsKeysAsExpected) {
    const ProfileCorpus corpus(SETUP_TEST_CORPUS_DIR "/profile");
    const auto listings = corpus.KeyListings();
    ASSERT_FALSE(listings.empty());
    for (const auto& [name, content] : corpus.Files(listings)) {
        m_folder.Write(m_folder.Path() + "\\" + name, content);
    }

    for (const auto& listing : listings) {
        const std::string list = ProfileCorpus::JoinNames(
            m_profile.ReadKeyNames(m_folder.Path() + "\\" + listing.file, listing.section));
        EXPECT_EQ(ProfileCorpus::Escape(list), ProfileCorpus::Escape(listing.expected))
            << "key-names.txt line " << listing.line;
    }
}

// The deeper file exists and opens; only the profile service turns it down.
// Wine then leaves its path buffer as the previous call left it and reads
// whichever file that named, so the test asks only that the deeper file's own
// value never comes back.
TEST_F(Win32ProfileTest, ReadsATagFileOnlyWhileItsFullPathFitsMaxPath) {
    const std::string deepest = m_folder.MakeDeepFolder(247);
    const std::string tooDeep = m_folder.MakeDeepFolder(248);
    m_folder.Write(deepest + "\\kestavo.tag", "[S]\r\nk=found\r\n");
    m_folder.Write(tooDeep + "\\kestavo.tag", "[S]\r\nk=too deep\r\n");

    EXPECT_EQ(m_profile.ReadString(deepest + "\\kestavo.tag", "S", "k", 255), "found");
    EXPECT_EQ(m_profile.ReadString(deepest + "\\\\kestavo.tag", "S", "k", 255), "found")
        << "a doubled separator is read as one";
    EXPECT_NE(m_profile.ReadString(tooDeep + "\\kestavo.tag", "S", "k", 255), "too deep");
}

}  // namespace
}  // namespace kestavo::win32
