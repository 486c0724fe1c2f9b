#include "actions/FolderMacros.h"

#include <gtest/gtest.h>

#include <string>

#include "actions/RegistryReader.h"
#include "driver/SetupProgressDialog.h"
#include "platform/WinConst.h"
#include "support/SimFixture.h"

namespace kestavo::test {
namespace {

class FolderMacrosTest : public SimFixture {
protected:
    FolderMacrosTest() {
        dialog.m_strProgramFilesDir = "C:\\Program Files";
        dialog.m_strWindowsDir = "C:\\WINDOWS";
        dialog.m_strSystemDir = "C:\\WINDOWS\\SYSTEM32";
        dialog.m_strCommonFilesDir = "C:\\Program Files\\Common Files";
        dialog.m_strWindowsDisk = "C:";
        dialog.m_strFontsDir = "C:\\WINDOWS\\Fonts";
        dialog.m_strFavoritesDir = "F";
        dialog.m_strDocumentsDir = "D";
        dialog.m_strMyPicturesDir = "P";
        dialog.m_strMyMusicDir = "M";
        dialog.m_strSendToDir = "S";
        dialog.m_strInstallDir = "C:\\Program Files\\Acme";
    }

    std::string Expand(const std::string& text) {
        return ExpandFolderMacros(dialog, machine.system, text);
    }

    SetupProgressDialog dialog{machine.GetPorts()};
};

TEST_F(FolderMacrosTest, BracketedMacrosAreReplacedEverywhere) {
    EXPECT_EQ("C:\\Program Files\\Vendor\\app.exe", Expand("<Program Files>\\Vendor\\app.exe"));
    EXPECT_EQ("C:\\WINDOWS\\Fonts;C:\\WINDOWS\\Fonts", Expand("<Fonts Folder>;<Fonts Folder>"));
    EXPECT_EQ("C:\\WINDOWS\\SYSTEM32|C:\\Program Files\\Common Files|C:",
              Expand("<Shared DLLs>|<Common Files Directory>|<Windows Disk>"));
    EXPECT_EQ("F|D|P|M|S", Expand("<Favorites Folder>|<Documents Folder>|<My Pictures Folder>|"
                                  "<My Music Folder>|<Send To Folder>"));
    EXPECT_EQ("<program files>\\x", Expand("<program files>\\x"));
    EXPECT_EQ("", Expand(""));
}

TEST_F(FolderMacrosTest, OneTrailingBackslashGoesBeforeReplacing) {
    EXPECT_EQ("C:\\Program Files\\Acme", Expand("<Install Dir>\\"));
    EXPECT_EQ("C:\\Program Files\\Acme\\", Expand("<Install Dir>\\\\"));

    // On a Japanese system "表" is 0x95 0x5C: its second byte is no backslash.
    machine.system.codePage = 932;
    EXPECT_EQ("C:\\Program Files\\Acme\\\x95\x5C", Expand("<Install Dir>\\\x95\x5C"));
    EXPECT_EQ("C:\\Program Files\\Acme\\\x95\x5C", Expand("<Install Dir>\\\x95\x5C\\"));
}

TEST_F(FolderMacrosTest, TextWithoutBracketUsesTheBareNames) {
    EXPECT_EQ("D:\\C:\\Program Files\\Tool\\x.exe", Expand("D:\\Program Files\\Tool\\x.exe"));
    EXPECT_EQ("C:\\WINDOWS\\Fonts Folder", Expand("<Windows Directory>\\Fonts Folder"));
}

// A folder inserted by one macro is searched by the later macros but never
// by its own.
TEST_F(FolderMacrosTest, InsertedTextMeetsOnlyTheLaterMacros) {
    dialog.m_strProgramFilesDir = "<Program Files><Windows Disk>";
    EXPECT_EQ("<Program Files>C:", Expand("<Program Files>"));
}

// Each folder names the next macro eight times: once the text reaches
// MAX_PATH characters, where it names no file, nothing more is replaced.
TEST_F(FolderMacrosTest, FoldersNamingLaterMacrosStopGrowingAtMaxPath) {
    const auto repeat = [](int times, const std::string& name) {
        std::string text;
        for (int i = 0; i < times; ++i) {
            text += name;
        }
        return text;
    };
    dialog.m_strProgramFilesDir = repeat(8, "<Windows Directory>");
    dialog.m_strWindowsDir = repeat(8, "<Shared DLLs>");
    dialog.m_strSystemDir = repeat(8, "<Common Files Directory>");
    dialog.m_strCommonFilesDir = repeat(8, "<Windows Disk>");
    EXPECT_EQ(repeat(16, "<Shared DLLs>") + repeat(6, "<Windows Directory>") + "\\app.exe",
              Expand("<Program Files>\\app.exe"));
}

class InitFoldersTest : public SimFixture {
protected:
    static constexpr const char* kKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\";

    SetupProgressDialog& Init() {
        dialog.InitFolders();
        return dialog;
    }

    SetupProgressDialog dialog{machine.GetPorts()};
};

TEST_F(InitFoldersTest, FillsTheTableFromTheSystemRegistryAndShell) {
    machine.registry.Put(kKey, "ProgramFilesDir", "E:\\Apps");
    machine.registry.Put(kKey, "CommonFilesDir", std::string("E:\\Apps\\Common\0junk", 19));
    machine.system.specialFolders = {{CSIDL_FAVORITES, "F"},  {CSIDL_COMMON_DOCUMENTS, "D"},
                                     {CSIDL_MYPICTURES, "P"}, {CSIDL_MYMUSIC, "M"},
                                     {CSIDL_SENDTO, "S"},     {CSIDL_FONTS, "T"}};
    machine.PutSetupFile("data.tag", "[APPINFO]\n5=<Program Files>\\Acme<Favorites Folder>\n");

    const SetupProgressDialog& d = Init();

    EXPECT_EQ("C:\\WINDOWS", d.m_strWindowsDir);
    EXPECT_EQ("C:", d.m_strWindowsDisk);
    EXPECT_EQ("C:\\WINDOWS\\SYSTEM32", d.m_strSystemDir);
    EXPECT_EQ("E:\\Apps", d.m_strProgramFilesDir);
    EXPECT_EQ("E:\\Apps\\Common", d.m_strCommonFilesDir);
    // The shell folders are filled after the install folder is formed.
    EXPECT_EQ("E:\\Apps\\Acme", d.m_strInstallDir);
    EXPECT_EQ("F", d.m_strFavoritesDir);
    EXPECT_EQ("D", d.m_strDocumentsDir);
    EXPECT_EQ("P", d.m_strMyPicturesDir);
    EXPECT_EQ("M", d.m_strMyMusicDir);
    EXPECT_EQ("S", d.m_strSendToDir);
    EXPECT_EQ("T", d.m_strFontsDir);
}

TEST_F(InitFoldersTest, UnreadableRegistryFallsBackToTheEnvironmentForProgramFiles) {
    machine.registry.Put(kKey, "ProgramFilesDir", "E:\\Apps");
    machine.registry.Put(kKey, "CommonFilesDir", "E:\\Common");
    machine.registry.Deny(kKey);
    machine.system.environment["PROGRAMFILES"] = "G:\\Programs";

    const SetupProgressDialog& d = Init();

    EXPECT_EQ("G:\\Programs", d.m_strProgramFilesDir);
    EXPECT_EQ("", d.m_strCommonFilesDir);
    EXPECT_EQ("", d.m_strInstallDir);
    EXPECT_EQ("", d.m_strFontsDir);
}

TEST_F(InitFoldersTest, InstallFolderIsCutAt99Characters) {
    machine.PutSetupFile("data.tag", "[APPINFO]\n5=" + std::string(150, 'i') + "\n");
    EXPECT_EQ(std::string(99, 'i'), Init().m_strInstallDir);
}

TEST(RegistryReaderTest, NamesBeyondTheWorkingBuffersReadEmpty) {
    sim::SimRegistry registry;
    const std::string longKey(256, 'k');
    registry.Put(longKey, "v", "data");
    registry.Put("k", std::string(256, 'v'), "data");
    registry.Put("k", "v", "data");

    EXPECT_EQ("", ReadMachineRegistryString(registry, longKey, "v"));
    EXPECT_EQ("", ReadMachineRegistryString(registry, "k", std::string(256, 'v')));
    EXPECT_EQ("data", ReadMachineRegistryString(registry, "k", "v"));
    EXPECT_EQ("", ReadMachineRegistryString(registry, "k", "missing"));
}

}  // namespace
}  // namespace kestavo::test
