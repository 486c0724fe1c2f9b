#include "core/TagFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "core/SetupFolder.h"
#include "support/SimFixture.h"

namespace kestavo::test {
namespace {

class TagFileTest : public SimFixture {};

TEST_F(TagFileTest, AtoIFollowsTheCLibrary) {
    EXPECT_EQ(3, TagFile::AtoI("3abc"));
    EXPECT_EQ(0, TagFile::AtoI("yes"));
    EXPECT_EQ(0, TagFile::AtoI(""));
    EXPECT_EQ(-2, TagFile::AtoI("-2"));
    EXPECT_EQ(12, TagFile::AtoI(" \t+12"));
    EXPECT_EQ(0, TagFile::AtoI("- 1"));
    EXPECT_EQ(0, TagFile::AtoI("0x10"));
    EXPECT_EQ(INT_MAX, TagFile::AtoI("99999999999999999999"));
    EXPECT_EQ(INT_MIN, TagFile::AtoI("-99999999999999999999"));
    EXPECT_EQ(INT_MAX, TagFile::AtoI("2147483647"));
    EXPECT_EQ(INT_MIN, TagFile::AtoI("-2147483648"));
}

TEST_F(TagFileTest, ListKeysAreTheLetterAndTheIndex) {
    EXPECT_EQ("A0", TagFile::ListKey('A', 0));
    EXPECT_EQ("B12", TagFile::ListKey('B', 12));
    EXPECT_EQ("C2147483647", TagFile::ListKey('C', INT_MAX));
    EXPECT_EQ("D-2147483648", TagFile::ListKey('D', INT_MIN));
}

TEST_F(TagFileTest, PathHasExactlyOneSeparatorEvenAtADriveRoot) {
    machine.system.currentDirectory = "D:\\";
    EXPECT_EQ("D:\\kestavo.tag", TagFile(machine.system, machine.profile).Path());
    EXPECT_EQ("D:\\data.tag", SetupFilePath(machine.system, "data.tag"));

    machine.system.currentDirectory = "D:\\setup";
    EXPECT_EQ("D:\\setup\\kestavo.tag", TagFile(machine.system, machine.profile).Path());
}

TEST_F(TagFileTest, ReadsFromTheCurrentFolderAtEachRead) {
    machine.files.Put("D:\\kestavo.tag", "[SETUP]\n0=root\n");
    machine.files.Put("D:\\other\\kestavo.tag", "[SETUP]\n0=other\n");
    const TagFile tag(machine.system, machine.profile);

    machine.system.currentDirectory = "D:\\";
    EXPECT_EQ("root", tag.Read("SETUP", "0", TagFile::kValueCapacity));
    machine.system.currentDirectory = "D:\\other";
    EXPECT_EQ("other", tag.Read("SETUP", "0", TagFile::kValueCapacity));
}

TEST_F(TagFileTest, CountsAndCapacities) {
    PutTag("[L]\nTOTAL=3abc\n[M]\nTOTAL=-2\n[N]\nTOTAL=\n[S]\nA0=" + std::string(150, 'p') + "\n");
    const TagFile tag(machine.system, machine.profile);

    EXPECT_EQ(3, tag.ReadCount("L"));
    EXPECT_EQ(-2, tag.ReadCount("M"));
    EXPECT_EQ(0, tag.ReadCount("N"));
    EXPECT_EQ(0, tag.ReadCount("none"));
    EXPECT_EQ(std::string(99, 'p'), tag.Read("S", "A0", TagFile::kListCapacity));
    EXPECT_EQ(std::string(150, 'p'), tag.Read("S", "A0", TagFile::kValueCapacity));
}

TEST_F(TagFileTest, MissingFileReadsEveryKeyEmpty) {
    const TagFile tag(machine.system, machine.profile);

    EXPECT_FALSE(tag.Exists());
    EXPECT_EQ("", tag.Read("SETUP", "0", TagFile::kValueCapacity));
    EXPECT_EQ(0, tag.ReadInt("BUILD", "SILENT", TagFile::kValueCapacity));
}

}  // namespace
}  // namespace kestavo::test
