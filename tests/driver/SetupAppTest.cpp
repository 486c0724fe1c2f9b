#include "driver/SetupApp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "driver/ProcessHardening.h"
#include "support/SimFixture.h"

namespace kestavo::test {
namespace {

class SetupAppTest : public SimFixture {
protected:
    bool Run() {
        SetupApp app(machine.GetPorts());
        return app.InitInstance();
    }
};

TEST_F(SetupAppTest, PreparesTheProcessThenRunsTheProgressDialog) {
    g_hInstallerWnd = 0x1234;

    EXPECT_FALSE(Run());

    const std::vector<std::string> lines = machine.trace.Lines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ("sockets started", lines[0]);
    EXPECT_EQ("3d controls", lines[1]);
    EXPECT_EQ("common controls", lines[2]);
    EXPECT_EQ("dialog 102: create", lines[3]);
    EXPECT_EQ(kNullHandle, g_hInstallerWnd);
}

// The libraries that system DLLs load by name are loaded first, from the
// system folder, once the search is settled: restricted to the system
// folder where the system can, elsewhere without the current folder and
// with each library taking its own imports from the system folder. The
// port is given bare file names (a folder in one would load another file);
// the adapter's full path is shown under Wine, with copies planted in the
// setup folder.
TEST_F(SetupAppTest, HardeningSettlesTheSearchThenPreloadsSystemLibraries) {
    for (const bool restrictable : {true, false}) {
        sim::SimMachine fresh;
        fresh.system.defaultDllDirectoriesExported = restrictable;

        HardenProcess(fresh.system);

        const std::vector<std::string> lines = fresh.trace.Lines();
        const std::vector<std::string> settled =
            restrictable ? std::vector<std::string>{"default dll directories 0x800"}
                         : std::vector<std::string>{"dll directory \"\"",
                                                    "load by path: altered search path"};
        ASSERT_GT(lines.size(), 1 + settled.size());
        EXPECT_EQ("heap: terminate on corruption", lines[0]);
        EXPECT_EQ(settled,
                  std::vector<std::string>(lines.begin() + 1, lines.begin() + 1 + settled.size()));
        for (std::size_t i = 1 + settled.size(); i < lines.size(); ++i) {
            ASSERT_EQ(0u, lines[i].rfind("preload ", 0)) << lines[i];
            const std::string name = lines[i].substr(8);
            EXPECT_EQ(std::string::npos, name.find_first_of("\\/:")) << name;
        }
        for (const std::string name : {"uxtheme", "msimg32", "version", "winmm"}) {
            EXPECT_EQ(1, std::count(lines.begin(), lines.end(), "preload " + name + ".dll"))
                << name;
        }
    }
}

TEST_F(SetupAppTest, SocketFailureShowsOnlyItsMessage) {
    machine.system.socketsAvailable = false;
    PutTag("[SETUP]\n0=x\n");

    EXPECT_FALSE(Run());

    EXPECT_EQ((std::vector<std::string>{"sockets failed",
                                        "message box: Windows sockets initialization failed. | "
                                        "caption setup | style 0x30"}),
              machine.trace.Lines());
}

TEST_F(SetupAppTest, AnyOtherSocketsVersionCountsAsFailure) {
    machine.system.socketsVersion = 0x0202;

    Run();

    EXPECT_TRUE(machine.trace.Has("message box: Windows sockets initialization failed."));
    EXPECT_FALSE(machine.trace.Has("dialog"));
}

// A folder the code page cannot name (not even by a short name) would turn
// every setup file into a file of the drive's root.
TEST_F(SetupAppTest, AFolderWithoutAnAnsiNameEndsWith1603BeforeAnythingRuns) {
    for (const bool silent : {false, true}) {
        sim::SimMachine fresh;
        fresh.system.currentDirectoryNameless = true;
        fresh.PutSetupFile("kestavo.tag", silent ? "[BUILD]\nSILENT=1\n" : "[SETUP]\n0=x\n");
        fresh.files.Put("C:\\kestavo.tag", "[BUILD]\nSILENT=1\n");
        SetupApp app(fresh.GetPorts());
        app.InitInstance();

        EXPECT_EQ(1603u, app.ExitCode());
        EXPECT_FALSE(fresh.trace.Has("dialog")) << fresh.trace.Dump();
        EXPECT_FALSE(fresh.trace.Has("start"));
        EXPECT_FALSE(fresh.trace.Has("shell"));
        EXPECT_EQ(!silent, fresh.trace.Has("message box: Setup cannot run from this folder"));
    }
}

TEST_F(SetupAppTest, SetupFolderIsTheCurrentDirectoryNotTheProgramsFolder) {
    machine.system.currentDirectory = "E:\\Vendor\\Disk1";
    machine.files.Put("C:\\SETUP\\kestavo.tag", "[BUILD]\nSILENT=1\n");
    machine.files.Put("E:\\Vendor\\Disk1\\kestavo.tag", "[SPLASH]\nA0=Disabled\n");

    Run();

    EXPECT_TRUE(machine.trace.Has("thread start: CSlashTH"));
}

TEST_F(SetupAppTest, WholeRunWithTheSplashThreadEndsAfterTheSplash) {
    PutTag("[SETUP]\n0=Preparing\n[SPLASH]\nA0=Waiting\nA4=3\n");

    Run();

    EXPECT_EQ(3000, TimeOf("dialog 134: end 1"));
    EXPECT_EQ(3000, TimeOf("thread end: CSlashTH"));
    EXPECT_EQ(3000, TimeOf("dialog 102: end 1"));
}

TEST_F(SetupAppTest, DisabledSplashLeavesTheTwoSecondBar) {
    PutTag("[SETUP]\n0=Preparing\n[SPLASH]\nA0=Disabled\n");

    Run();

    EXPECT_EQ(0, TimeOf("dialog 134: end 1"));
    EXPECT_EQ(2000, TimeOf("dialog 102: end 1"));
}

TEST_F(SetupAppTest, CancelEndsTheProgramWhileTheSplashIsStillOpen) {
    PutTag("[SPLASH]\nA0=Waiting\nA4=60\n");
    machine.scheduler.At(4000, [this] { machine.dialogs.Press(102, 2); });

    Run();

    EXPECT_EQ(4000, TimeOf("dialog 102: end 2"));
    EXPECT_FALSE(machine.trace.Has("dialog 102: show 0"));
    EXPECT_TRUE(machine.dialogs.ProcessEnded());
    // The splash goes with the process: it never ends on its own.
    EXPECT_FALSE(machine.trace.Has("dialog 134: end")) << machine.trace.Dump();
    EXPECT_FALSE(machine.trace.Has("thread end"));
}

}  // namespace
}  // namespace kestavo::test
