#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "driver/SetupApp.h"
#include "driver/SetupProgressDialog.h"
#include "platform/WinConst.h"
#include "support/SimFixture.h"

namespace kestavo::test {
namespace {

// Whole runs of the program on the simulated machine: what it starts, in
// which order, with which command lines, and what it ends with.
class InstallationSequenceTest : public SimFixture {
protected:
    InstallationSequenceTest() {
        machine.processes.AddProgram(kMsiexec, sim::SimProgram{10000, 0, {}});
    }

    std::uint32_t Run() {
        SetupApp app(machine.GetPorts());
        app.InitInstance();
        return app.ExitCode();
    }

    // The trace lines that start or fail to start a program.
    std::vector<std::string> Starts() {
        std::vector<std::string> starts;
        for (const std::string& line : machine.trace.Lines()) {
            if (line.rfind("start", 0) == 0 || line.rfind("shell", 0) == 0) {
                starts.push_back(line);
            }
        }
        return starts;
    }

    static constexpr const char* kMsiexec = "C:\\WINDOWS\\SYSTEM32\\msiexec.exe";
    static constexpr const char* kInstall =
        "start: app=C:\\WINDOWS\\SYSTEM32\\msiexec.exe cmd=C:\\WINDOWS\\SYSTEM32\\msiexec.exe /I "
        "\"C:\\SETUP\\_data.msi\" dir=C:\\SETUP";
};

TEST_F(InstallationSequenceTest, NormalRunStartsProgramsAroundThePackageInOrder) {
    PutTag(
        "[SPLASH]\nA0=Disabled\n[FILESUPPORT]\nTOTAL=4\n"
        "A0=after1.exe\nB0=After installation\n"
        "A1=C:\\SETUP\\before.exe\nB1=Before installation\n"
        "A2=after2.exe\nB2=After installation\n"
        "A3=lower.exe\nB3=before installation\n");
    for (const char* name : {"after1.exe", "before.exe", "after2.exe", "lower.exe"}) {
        machine.processes.AddProgram(std::string("C:\\SETUP\\") + name,
                                     sim::SimProgram{1000, 0, {}});
    }

    EXPECT_EQ(0u, Run());

    EXPECT_EQ((std::vector<std::string>{
                  "start: app=C:\\SETUP\\before.exe cmd= dir=C:\\SETUP",
                  kInstall,
                  "start: app=after1.exe cmd= dir=C:\\SETUP",
                  "start: app=after2.exe cmd= dir=C:\\SETUP",
              }),
              Starts());
    // Before the dialog's timer starts; the package after the full bar.
    EXPECT_EQ(0, TimeOf("start: app=C:\\SETUP\\before.exe"));
    EXPECT_EQ(3000, TimeOf(kInstall));
    EXPECT_EQ(13000, TimeOf("start: app=after1.exe"));
    EXPECT_EQ(15000, TimeOf("dialog 102: end 1"));
    EXPECT_EQ(0u, machine.processes.OpenHandles());
}

TEST_F(InstallationSequenceTest, SilentRunInstallsQuietlyInsideInitialisation) {
    PutTag("[BUILD]\nSILENT=1\n[BACKGROUND]\n0=1\n[BILLBOARDSKV]\nTOTAL=2\n");

    Run();

    EXPECT_EQ((std::vector<std::string>{
                  "start: app=C:\\WINDOWS\\SYSTEM32\\msiexec.exe "
                  "cmd=C:\\WINDOWS\\SYSTEM32\\msiexec.exe /qn /I \"C:\\SETUP\\_data.msi\" "
                  "dir=C:\\SETUP"}),
              Starts());
    EXPECT_EQ(0, TimeOf("start: app=C:\\WINDOWS\\SYSTEM32\\msiexec.exe"));
}

TEST_F(InstallationSequenceTest, WithoutTagFileOnlyThePackageIsInstalled) {
    EXPECT_EQ(0u, Run());

    EXPECT_EQ((std::vector<std::string>{kInstall}), Starts());
    EXPECT_EQ(0, TimeOf(kInstall));
}

TEST_F(InstallationSequenceTest, DriveRootGivesOneSeparator) {
    machine.system.currentDirectory = "D:\\";
    machine.files.Put("D:\\data.tag", "[APPINFO]\n5=<Windows Disk>\\Acme\n");

    Run();

    EXPECT_EQ((std::vector<std::string>{
                  "start: app=C:\\WINDOWS\\SYSTEM32\\msiexec.exe "
                  "cmd=C:\\WINDOWS\\SYSTEM32\\msiexec.exe /I \"D:\\_data.msi\" dir=D:\\"}),
              Starts());
}

// Shift-JIS: "ソ" is 0x83 0x5C and "表" 0x95 0x5C; their second bytes are no
// separators, at the end of a folder or inside a program's name.
TEST_F(InstallationSequenceTest, DoubleByteNamesKeepEveryCharacterOnAJapaneseSystem) {
    const std::string folder = "C:\\\x83\x5C\x95\x5C";
    machine.system.codePage = 932;
    machine.system.currentDirectory = folder;
    machine.system.tempDirectory = "C:\\\x95\x5C";
    machine.processes.AddProgram(folder + "\\\x83\x5C.exe", sim::SimProgram{0, 0, {}});
    machine.processes.AddProgram("C:\\\x95\x5C\\tormivex.exe", sim::SimProgram{0, 0, {}});
    PutTag(
        "[SPLASH]\nA0=Disabled\n[ADVACTIONSKV]\nTOTAL=2\nB0=Run 3rd party software and wait\n"
        "G0=D:\\Tools\\\x83\x5C.exe\nB1=Run Tormivex\n");

    EXPECT_EQ(0u, Run());

    EXPECT_EQ(
        (std::vector<std::string>{"start: app=" + folder + "\\\x83\x5C.exe cmd= dir=" + folder,
                                  "shell run: file=C:\\\x95\x5C\\tormivex.exe params= show=10",
                                  "start: app=C:\\WINDOWS\\SYSTEM32\\msiexec.exe "
                                  "cmd=C:\\WINDOWS\\SYSTEM32\\msiexec.exe /I \"" +
                                      folder + "\\_data.msi\" dir=" + folder}),
        Starts());
}

TEST_F(InstallationSequenceTest, ExitCodeIsThePackageInstallersOwnAllThirtyTwoBits) {
    // A crashed or killed installer's code is no success.
    for (std::uint32_t code : {0u, 1603u, 3010u, 0x80000000u, 0xC0000005u, 0xFFFFFFFFu}) {
        sim::SimMachine fresh;
        fresh.processes.AddProgram(kMsiexec, sim::SimProgram{10, code, {}});
        SetupApp app(fresh.GetPorts());
        app.InitInstance();
        EXPECT_EQ(code, app.ExitCode());
    }
}

TEST_F(InstallationSequenceTest, ADialogThatCannotBeCreatedOrAWaitThatFailsEndsWith1603) {
    machine.dialogs.failingTemplates.insert(102);
    EXPECT_EQ(1603u, Run());
    EXPECT_TRUE(Starts().empty());

    // A wait that fails leaves the installer's code unread (STILL_ACTIVE),
    // and must end rather than spin.
    sim::SimMachine fresh;
    fresh.processes.AddProgram(kMsiexec, sim::SimProgram{10000, 0, {}, true});
    SetupApp app(fresh.GetPorts());
    app.InitInstance();
    EXPECT_EQ(1603u, app.ExitCode());
    EXPECT_EQ(0u, fresh.processes.OpenHandles());
}

TEST_F(InstallationSequenceTest, CancelledRunEndsWith1602AndInstallsNothing) {
    PutTag("[SPLASH]\nA0=Waiting\nA4=30\n");
    machine.scheduler.At(5000, [this] { machine.dialogs.Press(102, IDCANCEL); });

    EXPECT_EQ(1602u, Run());

    EXPECT_TRUE(Starts().empty());
}

TEST_F(InstallationSequenceTest, InstallerThatCannotStartEndsWith1603AndTheRunGoesOn) {
    machine.files.Remove(kMsiexec);
    PutTag("[SPLASH]\nA0=Disabled\n[FILESUPPORT]\nTOTAL=1\nA0=after.exe\nB0=After installation\n");
    machine.processes.AddProgram("C:\\SETUP\\after.exe", sim::SimProgram{0, 0, {}});

    EXPECT_EQ(1603u, Run());

    EXPECT_TRUE(machine.trace.Has("start: app=after.exe"));
    EXPECT_TRUE(machine.trace.Has("dialog 102: end 1"));
}

TEST_F(InstallationSequenceTest, DeepSetupFolderInstallsWithTheWholeCommandLine) {
    const std::string deep = "C:\\" + std::string(220, 'd');
    machine.system.currentDirectory = deep;

    EXPECT_EQ(0u, Run());

    EXPECT_EQ((std::vector<std::string>{"start: app=C:\\WINDOWS\\SYSTEM32\\msiexec.exe "
                                        "cmd=C:\\WINDOWS\\SYSTEM32\\msiexec.exe /I \"" +
                                        deep + "\\_data.msi\" dir=" + deep}),
              Starts());

    // Only a command line CreateProcess cannot take is refused, never cut.
    sim::SimMachine fresh;
    fresh.system.currentDirectory = "C:\\" + std::string(32740, 'd');
    SetupApp app(fresh.GetPorts());
    app.InitInstance();
    EXPECT_EQ(1603u, app.ExitCode());
    EXPECT_FALSE(fresh.trace.Has("start"));
}

TEST_F(InstallationSequenceTest, ListCountsFollowAtoIAndMissingProgramsAreSkipped) {
    // The first program's 150 characters do not fit its buffer of 100: cut,
    // its path would name another program, so it is never started.
    PutTag(
        "[SPLASH]\nA0=Disabled\n[FILESUPPORT]\nTOTAL=3abc\n"
        "A0=" +
        std::string(146, 'm') +
        ".exe\nB0=Before installation\n"
        "A1=one.exe\nB1=Before installation\n"
        "A2=two.exe\nB2=Before installation\n"
        "A3=three.exe\nB3=Before installation\n");
    for (const char* name : {"one.exe", "two.exe", "three.exe"}) {
        machine.processes.AddProgram(std::string("C:\\SETUP\\") + name, sim::SimProgram{0, 0, {}});
    }

    Run();

    EXPECT_EQ((std::vector<std::string>{
                  "start: app=one.exe cmd= dir=C:\\SETUP",
                  "start: app=two.exe cmd= dir=C:\\SETUP",
                  kInstall,
              }),
              Starts());
}

// A path of 99 characters fills its buffer of 100, as a longer one cut to
// fit does: the two cannot be told apart, and neither is started.
TEST_F(InstallationSequenceTest, AProgramPathThatFillsItsBufferIsNeverStarted) {
    const std::string fits = std::string(94, 'f') + ".exe";
    const std::string fills = std::string(95, 'l') + ".exe";
    const std::string cut = std::string(96, 'c') + ".exe";
    PutTag("[SPLASH]\nA0=Disabled\n[FILESUPPORT]\nTOTAL=3\nA0=" + cut +
           "\nB0=Before installation\nA1=" + fills + "\nB1=Before installation\nA2=" + fits +
           "\nB2=After installation\n");
    for (const std::string& program : {fits, fills, cut.substr(0, 99)}) {
        machine.processes.AddProgram("C:\\SETUP\\" + program, sim::SimProgram{0, 0, {}});
    }

    Run();

    EXPECT_EQ((std::vector<std::string>{kInstall, "start: app=" + fits + " cmd= dir=C:\\SETUP"}),
              Starts());
}

TEST_F(InstallationSequenceTest, NegativeOrHugeCountsRunNothingAndEndInTime) {
    for (const char* total : {"-2", "", "99999"}) {
        sim::SimMachine fresh;
        fresh.PutSetupFile("kestavo.tag", std::string("[SPLASH]\nA0=Disabled\n[FILESUPPORT]\n") +
                                              "TOTAL=" + total + "\n");
        SetupApp app(fresh.GetPorts());
        app.InitInstance();
        EXPECT_EQ(2000, fresh.trace.FirstTime("start: app=C:\\WINDOWS\\SYSTEM32\\msiexec.exe"))
            << total;
    }
}

// Only the records written are read, in number order; keys count in the
// form the list writes them (B01 is not record 1), in any letter case, and
// records a program adds to the tag file are found after it ends.
TEST_F(InstallationSequenceTest, HugeCountRunsTheRecordsWrittenInNumberOrder) {
    PutTag(
        "[SPLASH]\nA0=Disabled\n[FILESUPPORT]\nTOTAL=2147483647\n"
        "A9=nine.exe\nB9=Before installation\n"
        "a3=three.exe\nb3=Before installation\n"
        "A01=padded.exe\nB01=Before installation\n");
    for (const char* name : {"nine.exe", "three.exe", "padded.exe", "added.exe"}) {
        machine.processes.AddProgram(std::string("C:\\SETUP\\") + name,
                                     sim::SimProgram{1000, 0, {}});
    }
    machine.scheduler.At(500, [this] {
        machine.PutSetupFile("kestavo.tag",
                             "[SPLASH]\nA0=Disabled\n[FILESUPPORT]\nTOTAL=2147483647\n"
                             "A9=nine.exe\nB9=Before installation\n"
                             "A3=three.exe\nB3=Before installation\n"
                             "A4=added.exe\nB4=Before installation\n");
    });

    Run();

    EXPECT_EQ((std::vector<std::string>{
                  "start: app=three.exe cmd= dir=C:\\SETUP",
                  "start: app=added.exe cmd= dir=C:\\SETUP",
                  "start: app=nine.exe cmd= dir=C:\\SETUP",
                  kInstall,
              }),
              Starts());
}

TEST_F(InstallationSequenceTest, MessagesKeepFlowingWhileThePackageInstalls) {
    PutTag("[SPLASH]\nA0=Disabled\n");
    int ticks = 0;
    std::function<void()> tick = [&] {
        ++ticks;
        machine.scheduler.After(1000, tick);
    };
    machine.scheduler.At(2500, tick);

    Run();

    // From 2.5 s to the installer's end at 12 s: one tick a second.
    EXPECT_EQ(10, ticks);
}

class InstallerWindowTest : public SimFixture {
protected:
    std::optional<unsigned long> RunInstaller(sim::SimProgram program, int backgroundShown) {
        machine.processes.AddProgram("C:\\I\\msiexec.exe", std::move(program));
        SetupProgressDialog dialog(machine.GetPorts());
        dialog.m_nBackgroundShown = backgroundShown;
        return dialog.RunCommandAndWait("C:\\I\\msiexec.exe", "C:\\I\\msiexec.exe /I \"x\"");
    }
};

TEST_F(InstallerWindowTest, FirstTitledWindowOfTheInstallerIsFoundAfterHalfASecond) {
    machine.processes.otherWindows.push_back(
        TopLevelWindow{0x77, 1, "Windows Installer", "MsiDialog"});
    Handle expected = kNullHandle;
    machine.scheduler.At(
        1000, [&] { expected = machine.processes.FindWindowByClass("InstallerWelcome"); });
    const auto code = RunInstaller(sim::SimProgram{5000,
                                                   3010,
                                                   {{"", 100, "Untitled"},
                                                    {"Windows Installer", 200, "InstallerWelcome"},
                                                    {"Later", 900, "Later"}}},
                                   255);

    EXPECT_EQ(3010ul, code.value_or(0));
    EXPECT_NE(kNullHandle, expected);
    EXPECT_EQ(expected, g_hInstallerWnd);
    EXPECT_EQ(5000, TimeOf("exit: C:\\I\\msiexec.exe 3010"));
}

TEST_F(InstallerWindowTest, NoWindowWithinHalfASecondLeavesNoHandle) {
    g_hInstallerWnd = 0x99;
    RunInstaller(sim::SimProgram{5000, 0, {{"Windows Installer", 600}}}, 255);

    EXPECT_EQ(kNullHandle, g_hInstallerWnd);
}

TEST_F(InstallerWindowTest, WithoutBackgroundNoWindowIsLookedFor) {
    RunInstaller(sim::SimProgram{5000, 0, {{"Windows Installer", 0}}}, 0);

    EXPECT_EQ(kNullHandle, g_hInstallerWnd);
}

}  // namespace
}  // namespace kestavo::test
