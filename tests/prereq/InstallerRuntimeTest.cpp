#include "prereq/InstallerRuntime.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/SetupApp.h"
#include "support/SimFixture.h"

namespace kestavo::test {
namespace {

class InstallerRuntimeTest : public SimFixture {
protected:
    static constexpr const char* kRuntime = "C:\\WINDOWS\\SYSTEM32\\msi.dll";

    InstallerRuntimeTest() {
        for (const char* name : {"InstMsiA.exe", "InstMsiW.exe"}) {
            machine.processes.AddProgram(std::string("C:\\SETUP\\") + name,
                                         sim::SimProgram{4000, 0, {}});
        }
    }

    void RuntimeReports(ModuleVersion version) { machine.modules.SetDllVersion(kRuntime, version); }

    void Windows(unsigned long platform, unsigned long major, unsigned long minor) {
        machine.system.osVersion = ISystemPort::OsVersion{platform, major, minor};
    }

    bool Current() { return IsInstallerRuntimeCurrent(machine.GetPorts(), kRuntime); }

    void RunSetup() {
        SetupApp app(machine.GetPorts());
        app.InitInstance();
    }
};

TEST_F(InstallerRuntimeTest, OnlyTheMajorVersionCounts) {
    RuntimeReports({2, 0, 0});
    EXPECT_TRUE(Current());
    RuntimeReports({1, 20, 9999});
    EXPECT_FALSE(Current());
    machine.files.Remove(kRuntime);
    EXPECT_FALSE(Current());
}

TEST_F(InstallerRuntimeTest, VersionResourceStandsInForAMissingExport) {
    machine.modules = sim::SimModules();
    machine.modules.SetFileVersion(kRuntime, "2.0.2600.0");
    EXPECT_TRUE(Current());
    machine.modules.SetFileVersion(kRuntime, "2, 0, 2600, 0");
    EXPECT_FALSE(Current());
    machine.modules.SetFileVersion(kRuntime, "1.10.0.1");
    EXPECT_FALSE(Current());
}

TEST_F(InstallerRuntimeTest, ParseVersionStringReadsThreeDottedFields) {
    unsigned long major = 9, minor = 9, build = 9;
    EXPECT_EQ(1, ParseVersionString("2.0.2600.2180", major, minor, build));
    EXPECT_EQ((std::vector<unsigned long>{2, 0, 2600}),
              (std::vector<unsigned long>{major, minor, build}));
    EXPECT_EQ(1, ParseVersionString("3.1.4000.1823 (xpsp.080413-0852)", major, minor, build));
    EXPECT_EQ((std::vector<unsigned long>{3, 1, 4000}),
              (std::vector<unsigned long>{major, minor, build}));
    EXPECT_EQ(1, ParseVersionString("..4..5...6", major, minor, build));
    EXPECT_EQ((std::vector<unsigned long>{4, 5, 6}),
              (std::vector<unsigned long>{major, minor, build}));

    major = minor = build = 9;
    EXPECT_EQ(0, ParseVersionString("1, 10, 0, 1", major, minor, build));
    EXPECT_EQ((std::vector<unsigned long>{1, 9, 9}),
              (std::vector<unsigned long>{major, minor, build}));
    EXPECT_EQ(0, ParseVersionString("", major, minor, build));
}

TEST_F(InstallerRuntimeTest, RedistributableFollowsTheSystemFamily) {
    struct Case {
        unsigned long platform, major, minor;
        const char* expected;
    };
    for (const Case& c : {Case{1, 4, 0, "InstMsiW.exe"}, Case{1, 4, 10, "InstMsiA.exe"},
                          Case{1, 4, 90, "InstMsiA.exe"}, Case{2, 4, 0, "InstMsiW.exe"},
                          Case{2, 5, 1, "InstMsiW.exe"}, Case{0, 5, 0, "InstMsiW.exe"}}) {
        Windows(c.platform, c.major, c.minor);
        EXPECT_EQ(std::string("C:\\SETUP\\") + c.expected,
                  RuntimeRedistributablePath(machine.GetPorts()))
            << c.platform << " " << c.major << "." << c.minor;
    }
}

TEST_F(InstallerRuntimeTest, OutdatedRuntimeRunsAtStartUpAndAgainBeforeThePackage) {
    RuntimeReports({1, 20, 0});
    Windows(1, 4, 10);
    machine.processes.AddProgram("C:\\SETUP\\switch.exe", sim::SimProgram{1000, 0, {}});
    PutTag("[SPLASH]\nA0=Disabled\n[APPINFO]\nLanguageM=Auto-Detect Language\n");

    RunSetup();

    // At start-up through the shell, before the language step and any
    // window; in the sequence through the process runner, before the
    // package.
    EXPECT_EQ(0, TimeOf("shell: file=C:\\SETUP\\InstMsiA.exe params= dir=C:\\SETUP"));
    EXPECT_EQ(4000, TimeOf("shell: file=C:\\SETUP\\switch.exe"));
    EXPECT_EQ(5000, TimeOf("dialog 102: create"));
    EXPECT_EQ(7000, TimeOf("start: app=C:\\SETUP\\InstMsiA.exe cmd= dir=C:\\SETUP"));
    EXPECT_EQ(11000, TimeOf("start: app=C:\\WINDOWS\\SYSTEM32\\msiexec.exe"));
    EXPECT_EQ(0u, machine.processes.OpenHandles());
}

TEST_F(InstallerRuntimeTest, CurrentRuntimeRunsNothing) {
    RuntimeReports({3, 1, 4000});
    PutTag("[SPLASH]\nA0=Disabled\n");

    RunSetup();

    EXPECT_FALSE(machine.trace.Has("shell"));
    EXPECT_FALSE(machine.trace.Has("start: app=C:\\SETUP\\InstMsi"));
}

TEST_F(InstallerRuntimeTest, MissingRedistributableDoesNotHoldUpStartUp) {
    machine.files.Remove(kRuntime);
    machine.files.Remove("C:\\SETUP\\InstMsiW.exe");

    RunSetup();

    EXPECT_EQ(0, TimeOf("shell failed: file=C:\\SETUP\\InstMsiW.exe"));
    // The shell says so itself, in a box that waits for OK; the process
    // runner's second try shows none.
    std::vector<std::string> boxes;
    for (const std::string& line : machine.trace.Lines()) {
        if (line.rfind("message box: ", 0) == 0) {
            boxes.push_back(line);
        }
    }
    EXPECT_EQ((std::vector<std::string>{
                  "message box: Windows cannot find 'C:\\SETUP\\InstMsiW.exe'. Make sure you typed "
                  "the name correctly, and then try again. To search for a file, click the Start "
                  "button, and then click Search. | caption C:\\SETUP\\InstMsiW.exe | style 0x10"}),
              boxes);
    EXPECT_EQ(0, TimeOf("dialog 102: create"));
    EXPECT_TRUE(machine.trace.Has("start failed: app=C:\\SETUP\\InstMsiW.exe"));
    EXPECT_TRUE(machine.trace.Has("start: app=C:\\WINDOWS\\SYSTEM32\\msiexec.exe"));
}

TEST_F(InstallerRuntimeTest, SystemFolderAtARootGetsNoSecondSeparator) {
    machine.system.systemDirectory = "C:\\";
    machine.files.Put("C:\\msi.dll", "MZ");
    machine.modules.SetDllVersion("C:\\msi.dll", {2, 0, 0});

    EnsureInstallerRuntime(machine.GetPorts());

    EXPECT_FALSE(machine.trace.Has("shell"));
    EXPECT_EQ((std::vector<std::string>{"C:\\msi.dll"}), machine.modules.versionsAsked);
}

}  // namespace
}  // namespace kestavo::test
