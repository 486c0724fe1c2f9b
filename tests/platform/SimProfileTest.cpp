#include "platform/sim/SimProfile.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/ProfileCorpus.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimMachine.h"

namespace kestavo::sim {
namespace {

using test::ProfileCorpus;

const std::string kFolder = "C:\\corpus\\";

TEST(SimProfileTest, AnswersEveryCorpusQueryAsWindowsDoes) {
    const ProfileCorpus corpus(SETUP_TEST_CORPUS_DIR "/profile");
    const auto queries = corpus.Queries();
    ASSERT_FALSE(queries.empty());
    SimFiles files;
    for (const auto& [name, content] : corpus.Files(queries)) {
        files.Put(kFolder + name, content);
    }
    SimProfile profile(files);

    for (const auto& query : queries) {
        const std::string value =
            profile.ReadString(kFolder + query.file, query.section, query.key, query.capacity);
        EXPECT_EQ(ProfileCorpus::Escape(value), ProfileCorpus::Escape(query.expected))
            << "expectations.txt line " << query.line;
    }
}

TEST(SimProfileTest, ListsEveryCorpusSectionsKeysAsWindowsDoes) {
    const ProfileCorpus corpus(SETUP_TEST_CORPUS_DIR "/profile");
    const auto listings = corpus.KeyListings();
    ASSERT_FALSE(listings.empty());
    SimFiles files;
    for (const auto& [name, content] : corpus.Files(listings)) {
        files.Put(kFolder + name, content);
    }
    SimProfile profile(files);

    for (const auto& listing : listings) {
        const std::string list =
            ProfileCorpus::JoinNames(profile.ReadKeyNames(kFolder + listing.file, listing.section));
        EXPECT_EQ(ProfileCorpus::Escape(list), ProfileCorpus::Escape(listing.expected))
            << "key-names.txt line " << listing.line;
    }
}

TEST(SimProfileTest, ReadsATagFileOnlyWhileItsFullPathFitsMaxPath) {
    SimFiles files;
    SimProfile profile(files);
    const std::string deepest = ProfileCorpus::FolderOfLength("C:\\", 247);
    const std::string tooDeep = ProfileCorpus::FolderOfLength("C:\\", 248);
    files.Put(deepest + "\\kestavo.tag", "[S]\r\nk=found\r\n");
    files.Put(tooDeep + "\\kestavo.tag", "[S]\r\nk=found\r\n");

    EXPECT_EQ(profile.ReadString(deepest + "\\kestavo.tag", "S", "k", 255), "found");
    EXPECT_EQ(profile.ReadString(deepest + "\\\\kestavo.tag", "S", "k", 255), "found")
        << "a doubled separator is read as one";
    EXPECT_EQ(profile.ReadString(tooDeep + "\\kestavo.tag", "S", "k", 255), "");
}

TEST(SimProfileTest, ReadsTheFileAfreshOnEveryCall) {
    SimFiles files;
    SimProfile profile(files);
    files.Put("C:\\setup\\kestavo.tag", "[BUILD]\r\nSILENT=0\r\n");
    ASSERT_EQ(profile.ReadString("C:\\setup\\kestavo.tag", "BUILD", "SILENT", 100), "0");

    files.Put("C:\\setup\\kestavo.tag", "[BUILD]\r\nSILENT=1\r\n");
    EXPECT_EQ(profile.ReadString("C:\\setup\\kestavo.tag", "BUILD", "SILENT", 100), "1");
    files.Remove("C:\\setup\\kestavo.tag");
    EXPECT_EQ(profile.ReadString("C:\\setup\\kestavo.tag", "BUILD", "SILENT", 100), "");
}

// A file in UTF-8 or UTF-16 is read as text and answers in the machine's
// code page, as on Windows: on a Japanese system "表示" comes back in
// Shift-JIS, and a section named in Shift-JIS is found.
TEST(SimProfileTest, AFileWithAByteOrderMarkAnswersInTheMachinesCodePage) {
    SimMachine machine;
    machine.system.codePage = 932;
    machine.PutSetupFile("utf8.tag",
                         "\xEF\xBB\xBF[\xE8\xA1\xA8]\r\n0=\xE8\xA1\xA8\xE7\xA4\xBA\r\n");
    // "[S]", "0=表" in UTF-16, little-endian.
    machine.PutSetupFile("utf16.tag", std::string("\xFF\xFE[\0S\0]\0\r\0\n\0"
                                                  "0\0=\0\x68\x88",
                                                  18));

    EXPECT_EQ(machine.profile.ReadString("C:\\SETUP\\utf8.tag", "\x95\x5C", "0", 255),
              "\x95\x5C\x8E\xA6");
    EXPECT_EQ(machine.profile.ReadString("C:\\SETUP\\utf16.tag", "S", "0", 255), "\x95\x5C");
    EXPECT_EQ(machine.profile.ReadKeyNames("C:\\SETUP\\utf8.tag", "\x95\x5C"),
              std::vector<std::string>{"0"});
}

}  // namespace
}  // namespace kestavo::sim
