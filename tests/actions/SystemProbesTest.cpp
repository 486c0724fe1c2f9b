#include "actions/SystemProbes.h"

#include <gtest/gtest.h>

#include <string>

#include "support/SimFixture.h"

namespace kestavo::test {
namespace {

const char kUninstall[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

class SystemProbesTest : public SimFixture {
protected:
    SystemProbes probes{machine.GetPorts()};
};

TEST_F(SystemProbesTest, RunningAndClosingGoByTitleThenByClassInAnyCase) {
    machine.processes.AddProgram(
        "C:\\Tools\\editor.exe",
        sim::SimProgram{60000, 0, {{"Acme Editor", 0, "AcmeEditorClass"}}});
    machine.processes.StartProcess("C:\\Tools\\editor.exe", "");
    machine.processes.otherWindows.push_back(TopLevelWindow{0x31, 9, "Other", "OtherClass"});

    EXPECT_TRUE(probes.IsProgramRunning("acme EDITOR"));
    EXPECT_FALSE(probes.IsProgramRunning("Acme"));
    EXPECT_FALSE(probes.IsProgramRunning("editor.exe"));

    EXPECT_TRUE(probes.CloseProgram("ACMEEDITORCLASS"));
    EXPECT_TRUE(machine.trace.Has("post quit: Acme Editor (AcmeEditorClass)"));
    EXPECT_FALSE(probes.IsProgramRunning("Acme Editor"));
    EXPECT_TRUE(probes.CloseProgram("other"));
    EXPECT_TRUE(machine.trace.Has("post quit: Other (OtherClass)"));
    EXPECT_FALSE(probes.CloseProgram("Nothing like it"));

    // A title wins over a class of the same name, even one listed first.
    machine.processes.otherWindows.push_back(TopLevelWindow{0x41, 9, "First", "Twin"});
    machine.processes.otherWindows.push_back(TopLevelWindow{0x42, 9, "Twin", "Second"});
    EXPECT_TRUE(probes.CloseProgram("twin"));
    EXPECT_TRUE(machine.trace.Has("post quit: Twin (Second)"));
    EXPECT_FALSE(machine.trace.Has("post quit: First"));
}

// Windows would take an empty title for any untitled window, such as the
// taskbar's.
TEST_F(SystemProbesTest, AnEmptyNameFindsAndClosesNoWindow) {
    machine.processes.otherWindows.push_back(TopLevelWindow{0x51, 4, "", "Shell_TrayWnd"});

    EXPECT_FALSE(probes.IsProgramRunning(""));
    EXPECT_FALSE(probes.CloseProgram(""));
    EXPECT_FALSE(machine.trace.Has("post quit"));
}

TEST_F(SystemProbesTest, InstalledMatchesKeyNameOrExactDisplayName) {
    machine.registry.Put(std::string(kUninstall) + "{1234-ABCD}", "DisplayName", "Acme Writer 3");
    machine.registry.Put(std::string(kUninstall) + "AcmeTools", "DisplayName", "Acme Tools");

    EXPECT_TRUE(probes.IsProgramInstalled("Acme Writer 3"));
    EXPECT_TRUE(probes.IsProgramInstalled("{1234-ABCD}"));
    EXPECT_TRUE(probes.IsProgramInstalled("AcmeTools"));
    EXPECT_FALSE(probes.IsProgramInstalled("acme writer 3"));
    EXPECT_FALSE(probes.IsProgramInstalled("Acme"));
    EXPECT_FALSE(probes.IsProgramInstalled(""));
    EXPECT_EQ(0u, machine.registry.OpenKeys());
}

TEST_F(SystemProbesTest, LongNamesAndLongValuesNeitherEndTheSearchNorHideAnEntry) {
    const std::string longName = "C" + std::string(200, 'x');
    machine.registry.Put(std::string(kUninstall) + "A", "DisplayName", "First");
    machine.registry.Put(std::string(kUninstall) + "B", "", std::string(300, 'v'));
    machine.registry.Put(std::string(kUninstall) + "B", "DisplayName", "Second");
    machine.registry.Put(std::string(kUninstall) + longName, "DisplayName", "Third");
    machine.registry.Put(std::string(kUninstall) + "D", "DisplayName", "Fourth");

    for (const char* name : {"First", "Second", "B", "Third", longName.c_str(), "Fourth"}) {
        EXPECT_TRUE(probes.IsProgramInstalled(name)) << name;
    }
}

// A product is registered in the registry of its own bitness; a 32-bit
// setup on a 64-bit Windows finds it in either, and on a 32-bit Windows
// never names a registry, which older systems refuse.
TEST_F(SystemProbesTest, BothRegistriesOfA64BitWindowsAreSearched) {
    machine.registry.Put(std::string(kUninstall) + "Own", "DisplayName", "Own Tool");
    machine.registry.Put(std::string(kUninstall) + "Wide", "DisplayName", "Wide Tool",
                         RegistryView::Bits64);

    EXPECT_TRUE(probes.IsProgramInstalled("Own Tool"));
    EXPECT_FALSE(probes.IsProgramInstalled("Wide Tool"));
    EXPECT_EQ(0u, machine.registry.RejectedViews());

    machine.registry.twoViews = true;
    EXPECT_TRUE(probes.IsProgramInstalled("Own Tool"));
    EXPECT_TRUE(probes.IsProgramInstalled("Wide"));
    EXPECT_TRUE(probes.IsProgramInstalled("Wide Tool"));
    EXPECT_FALSE(probes.IsProgramInstalled("Other Tool"));
    EXPECT_EQ(0u, machine.registry.OpenKeys());
}

// Older 64-bit systems may send an open that names no view to the
// program's own registry, even below a key of the other one.
TEST_F(SystemProbesTest, EveryKeyOfATwoViewSearchIsOpenedInTheViewOfItsList) {
    machine.registry.twoViews = true;
    machine.registry.Put(std::string(kUninstall) + "Own", "DisplayName", "Own Tool");
    machine.registry.Put(std::string(kUninstall) + "Wide", "DisplayName", "Wide Tool",
                         RegistryView::Bits64);

    EXPECT_FALSE(probes.IsProgramInstalled("Other Tool"));

    // Each list, and each entry for its unnamed value and its display name.
    const auto& opens = machine.registry.Opens();
    EXPECT_EQ(6u, opens.size());
    for (const auto& [path, view] : opens) {
        EXPECT_NE(RegistryView::Own, view) << path;
    }
}

TEST_F(SystemProbesTest, UnreadableUninstallListMeansNotInstalled) {
    machine.registry.Put(std::string(kUninstall) + "Acme", "DisplayName", "Acme");
    machine.registry.Deny("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall");

    EXPECT_FALSE(probes.IsProgramInstalled("Acme"));
}

TEST_F(SystemProbesTest, FilesFoldersAndWildcardsAreFoundFromTheSetupFolder) {
    machine.files.Put("C:\\Program Files\\Acme\\bin\\acme.exe", "MZ");
    machine.files.Put("C:\\SETUP\\readme.txt", "hello");

    EXPECT_TRUE(probes.FileExists("C:\\Program Files\\Acme\\bin\\acme.exe"));
    EXPECT_TRUE(probes.FileExists("C:\\Program Files\\Acme"));
    EXPECT_TRUE(probes.FileExists("C:\\Program Files\\Acme\\bin\\*.exe"));
    EXPECT_TRUE(probes.FileExists("C:\\Program Files\\Ac?e"));
    EXPECT_TRUE(probes.FileExists("readme.txt"));
    EXPECT_TRUE(probes.FileExists("..\\Program Files\\Acme\\bin\\ACME.EXE"));
    EXPECT_TRUE(probes.FileExists("\\SETUP\\readme.txt"));
    EXPECT_FALSE(probes.FileExists("C:\\Program Files\\Acme\\bin\\*.dll"));
    EXPECT_FALSE(probes.FileExists("C:\\Program Files\\Acm"));
    EXPECT_FALSE(probes.FileExists("\"C:\\SETUP\\readme.txt\""));
    EXPECT_FALSE(probes.FileExists("C:\\" + std::string(300, 'p')));
    EXPECT_TRUE(probes.FileExists("C:\\Program Files\\Acme\\bin\\*c*m*.e*e"));
    // Many stars before a letter the name lacks end as quickly as one.
    machine.files.Put("C:\\SETUP\\" + std::string(150, 'a'), "");
    EXPECT_FALSE(probes.FileExists("C:\\SETUP\\" + std::string(60, '*') + "z"));
}

TEST_F(SystemProbesTest, DotNetNeedsAnInstallRoot) {
    EXPECT_FALSE(probes.IsDotNetPresent());
    machine.registry.AddKey("SOFTWARE\\Microsoft\\.NETFramework");
    EXPECT_FALSE(probes.IsDotNetPresent());
    machine.registry.Put("SOFTWARE\\Microsoft\\.NETFramework", "InstallRoot",
                         "C:\\WINDOWS\\Microsoft.NET\\Framework\\");
    EXPECT_TRUE(probes.IsDotNetPresent());
}

TEST_F(SystemProbesTest, Windows9xVersionIs95Or98OnlyOnThatFamily) {
    struct Case {
        unsigned long platform, major, minor;
        int expected;
    };
    for (const Case& c : {Case{1, 4, 0, 95}, Case{1, 4, 10, 98}, Case{1, 4, 90, 98},
                          Case{2, 4, 0, 0}, Case{2, 5, 1, 0}, Case{1, 5, 0, 0}}) {
        machine.system.osVersion = ISystemPort::OsVersion{c.platform, c.major, c.minor};
        EXPECT_EQ(c.expected, probes.GetWindows9xVersion()) << c.platform << " " << c.major;
    }
}

}  // namespace
}  // namespace kestavo::test
