#include "actions/AdvancedActions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "driver/SetupApp.h"
#include "driver/SetupProgressDialog.h"
#include "platform/WinConst.h"
#include "support/SimFixture.h"

namespace kestavo::test {
namespace {

const char kMsiexecStart[] = "start: app=C:\\WINDOWS\\SYSTEM32\\msiexec.exe";

// One record of the list as tag-file lines.
std::string Record(int i, const std::string& type, const std::string& subject = "",
                   const std::string& then = "", const std::string& completion = "",
                   const std::string& timing = "", const std::string& argument = "",
                   const std::string& parameters = "") {
    const std::string n = std::to_string(i);
    return "A" + n + "=record " + n + "\nB" + n + "=" + type + "\nC" + n + "=" + subject + "\nD" +
           n + "=" + then + "\nE" + n + "=" + completion + "\nF" + n + "=" + timing + "\nG" + n +
           "=" + argument + "\nH" + n + "=" + parameters + "\n";
}

class AdvancedActionsTest : public SimFixture {
protected:
    AdvancedActionsTest() {
        machine.processes.AddProgram("C:\\WINDOWS\\SYSTEM32\\msiexec.exe",
                                     sim::SimProgram{10000, 0, {}});
    }

    void PutList(int total, const std::string& records, const std::string& more = "") {
        PutTag("[SPLASH]\nA0=Disabled\n" + more + "[ADVACTIONSKV]\nTOTAL=" + std::to_string(total) +
               "\n" + records);
    }

    std::uint32_t RunSetup() {
        SetupApp app(machine.GetPorts());
        app.InitInstance();
        return app.ExitCode();
    }

    // The message boxes shown, in order, by text.
    std::vector<std::string> Boxes() {
        std::vector<std::string> boxes;
        for (const std::string& line : machine.trace.Lines()) {
            if (line.rfind("message box: ", 0) == 0) {
                boxes.push_back(line.substr(13, line.find(" | caption") - 13));
            }
        }
        return boxes;
    }

    // Runs one pass on a dialog of its own and tells whether it went on.
    bool Pass(ActionPass pass, SetupProgressDialog& dialog) {
        return RunAdvancedActions(dialog, machine.GetPorts(), pass);
    }
};

TEST_F(AdvancedActionsTest, ConditionsThatHoldActAndOthersDoNothing) {
    machine.processes.otherWindows.push_back(TopLevelWindow{0x10, 7, "Acme Writer", "AcmeMain"});
    machine.system.osVersion = ISystemPort::OsVersion{1, 4, 10};
    PutList(
        6,
        Record(0, "If the program described below is running", "ACME WRITER", "Show MessageBox", "",
               "", "writer is running") +
            Record(1, "If the program described below is running", "Other", "Show MessageBox",
                   "Stop installation", "", "never") +
            Record(2, "If Windows 95", "", "Show MessageBox", "Stop installation", "", "95") +
            Record(3, "If Windows 98", "", "Show MessageBox", "Continue Installation", "", "98") +
            Record(4, "If .NET Framework don't exist", "", "Show MessageBox", "", "", "no .NET") +
            // Run Program starts the argument, not the subject, as the
            // shell's default would show it.
            Record(5, "If the program described below is running", "Acme Writer", "Run Program", "",
                   "", "C:\\Tools\\helper.exe", "ignored"));

    EXPECT_EQ(0u, RunSetup());

    EXPECT_EQ((std::vector<std::string>{"writer is running", "98", "no .NET"}), Boxes());
    EXPECT_TRUE(machine.trace.Has("shell run failed: file=C:\\Tools\\helper.exe params= show=10"));
    EXPECT_TRUE(machine.trace.Has(kMsiexecStart));
}

// A diskette drive holds no disk: the look at it must not wait for someone
// to insert one, and every program started after it gets the error mode
// the setup was given, not the one it looks with.
TEST_F(AdvancedActionsTest, FileOnADriveWithoutItsMediumAsksForNoDisk) {
    const unsigned kGivenMode = 0x0002;  // SEM_NOGPFAULTERRORBOX, from the setup's parent
    machine.system.errorMode = kGivenMode;
    machine.system.drivesWithoutMedium = "A";
    machine.processes.AddProgram("C:\\Tools\\tool.exe", sim::SimProgram{});
    PutList(2, Record(0, "If the file described below exists", "A:\\patch.txt", "Run Program", "",
                      "", "C:\\Tools\\tool.exe") +
                   Record(1, "If the file described below exists", "kestavo.tag", "Run Program", "",
                          "", "C:\\Tools\\tool.exe"));

    EXPECT_EQ(0u, RunSetup());

    EXPECT_FALSE(machine.trace.Has("critical error box")) << machine.trace.Dump();
    // Each program started, up to its name, then the mode it inherited.
    std::vector<std::string> starts;
    for (const std::string& line : machine.trace.Lines()) {
        if (line.rfind("shell run: ", 0) == 0 || line.rfind("start: ", 0) == 0) {
            starts.push_back(line.substr(0, line.find(".exe") + 4));
        } else if (line.rfind("started with error mode", 0) == 0) {
            starts.push_back(line);
        }
    }
    EXPECT_EQ((std::vector<std::string>{
                  "shell run: file=C:\\Tools\\tool.exe", "started with error mode 0x2",
                  "start: app=C:\\WINDOWS\\SYSTEM32\\msiexec.exe", "started with error mode 0x2"}),
              starts);
}

TEST_F(AdvancedActionsTest, DeferredRecordsRunOnlyAfterThePackageInIndexOrder) {
    PutList(3,
            Record(0, "Show MessageBox", "", "", "", "", "box 0") +
                Record(1, "Show MessageBox", "", "", "", "After Setup Complete Dialog", "box 1") +
                Record(2, "Show MessageBox", "", "", "", "after setup complete dialog", "box 2"));

    RunSetup();

    EXPECT_EQ((std::vector<std::string>{"box 0", "box 2", "box 0", "box 1", "box 2"}), Boxes());
    const std::vector<std::string> lines = machine.trace.Lines();
    const auto install = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.rfind(kMsiexecStart, 0) == 0;
    });
    ASSERT_NE(lines.end(), install);
    EXPECT_EQ(2, std::count_if(lines.begin(), install, [](const std::string& line) {
                  return line.rfind("message box", 0) == 0;
              }));
    EXPECT_TRUE(machine.trace.Has("dialog 102: end 1"));
}

TEST_F(AdvancedActionsTest, SplashB0AsksForTheSecondPassOfEveryRecord) {
    PutList(1, Record(0, "Show MessageBox", "", "", "", "Before installation", "again"),
            "[SPLASH]\nB0=x\n");
    // The first [SPLASH] section wins, so B0 goes into a tag file of its own.
    PutTag("[SPLASH]\nA0=Disabled\nB0=yes\n[ADVACTIONSKV]\nTOTAL=1\n" +
           Record(0, "Show MessageBox", "", "", "", "Before installation", "again"));

    RunSetup();

    EXPECT_EQ((std::vector<std::string>{"again", "again"}), Boxes());
}

TEST_F(AdvancedActionsTest, StopInTheFirstPassInstallsNothingAndReadsNoFurther) {
    machine.system.osVersion = ISystemPort::OsVersion{1, 4, 0};
    PutList(2, Record(0, "If Windows 95", "", "Show MessageBox", "Stop installation", "",
                      "old system") +
                   Record(1, "Show MessageBox", "", "", "", "", "never shown"));

    EXPECT_EQ(1603u, RunSetup());

    EXPECT_EQ(
        (std::vector<std::string>{"old system", "Can't continue with installation... Aborting."}),
        Boxes());
    EXPECT_FALSE(machine.trace.Has(kMsiexecStart));
    EXPECT_TRUE(machine.trace.Has("dialog 102: end 2"));
    EXPECT_FALSE(machine.trace.Has("dialog 102: end 1"));
}

TEST_F(AdvancedActionsTest, StopInTheSecondPassLeavesTheCancelResultAndTheInstallersCode) {
    machine.processes.AddProgram("C:\\WINDOWS\\SYSTEM32\\msiexec.exe",
                                 sim::SimProgram{10000, 3010, {}});
    PutList(2, Record(0, "Show MessageBox", "", "", "Stop installation",
                      "After Setup Complete Dialog", "late stop") +
                   Record(1, "Show MessageBox", "", "", "", "After Setup Complete Dialog",
                          "never shown"));

    // The package is installed and asked for a restart: that is not lost.
    EXPECT_EQ(3010u, RunSetup());

    EXPECT_TRUE(machine.trace.Has(kMsiexecStart));
    EXPECT_EQ(
        (std::vector<std::string>{"late stop", "Can't continue with installation... Aborting."}),
        Boxes());
    EXPECT_TRUE(machine.trace.Has("dialog 102: end 2"));
    EXPECT_FALSE(machine.trace.Has("dialog 102: end 1"));
}

// A dialog that is not running has no window to end; the stop still stops.
TEST_F(AdvancedActionsTest, StopOutsideTheDialogsRunStopsThePassAndEndsNothing) {
    PutList(2, Record(0, "Show MessageBox", "", "", "Stop installation", "", "stop") +
                   Record(1, "Show MessageBox", "", "", "", "", "never shown"));
    SetupProgressDialog dialog(machine.GetPorts());

    EXPECT_FALSE(Pass(ActionPass::First, dialog));

    EXPECT_EQ((std::vector<std::string>{"stop", "Can't continue with installation... Aborting."}),
              Boxes());
}

TEST_F(AdvancedActionsTest, TotalFollowsAtoIAndOnlyZeroSkipsTheSplashRule) {
    struct Case {
        const char* total;
        const char* b0;
        int boxes;
        int runAfterComplete;
    };
    for (const Case& c :
         {Case{"", "x", 0, 0}, Case{"abc", "x", 0, 0}, Case{"0", "x", 0, 0}, Case{"2x", "", 2, 0},
          Case{"-1", "x", 0, 255}, Case{"-3", "", 0, 0}, Case{"-3", "x", 0, 255}}) {
        sim::SimMachine fresh;
        fresh.PutSetupFile("kestavo.tag", std::string("[SPLASH]\nB0=") + c.b0 +
                                              "\n[ADVACTIONSKV]\nTOTAL=" + c.total + "\n" +
                                              Record(0, "Show MessageBox") +
                                              Record(1, "Show MessageBox"));
        SetupProgressDialog dialog(fresh.GetPorts());
        EXPECT_TRUE(RunAdvancedActions(dialog, fresh.GetPorts(), ActionPass::First));
        int boxes = 0;
        for (const std::string& line : fresh.trace.Lines()) {
            boxes += line.rfind("message box", 0) == 0 ? 1 : 0;
        }
        EXPECT_EQ(c.boxes, boxes) << c.total;
        EXPECT_EQ(c.runAfterComplete, dialog.m_nRunAfterComplete) << c.total << " " << c.b0;
    }
}

TEST_F(AdvancedActionsTest, KeywordsAreExactAndCaseSensitive) {
    machine.processes.otherWindows.push_back(TopLevelWindow{0x10, 7, "Tool", "ToolClass"});
    PutList(4, Record(0, "show messagebox", "", "", "", "", "lower type") +
                   Record(1, "If the program described below is running", "Tool", "show messagebox",
                          "", "", "lower then") +
                   Record(2, "If the program described below is running", "Tool", "Show MessageBox",
                          "Stop Installation", "", "capital I") +
                   Record(3, "\"Show MessageBox \"", "", "", "", "", "trailing blank"));

    EXPECT_EQ(0u, RunSetup());

    EXPECT_EQ((std::vector<std::string>{"capital I"}), Boxes());
}

TEST_F(AdvancedActionsTest, ThirdPartySoftwareComesFromTheSetupFolder) {
    SetupProgressDialog dialog(machine.GetPorts());
    // Batch names that could run another command through cmd.exe run nothing.
    PutList(8, Record(0, "Run 3rd party software", "", "", "", "", "D:\\Tools\\patch.exe", "-q") +
                   Record(1, "Run 3rd party software", "", "", "", "", "fix.BAT", "ignored") +
                   Record(2, "Run 3rd party software", "", "", "", "", "x/fix.bat") +
                   Record(3, "Run 3rd party software", "", "", "", "", "A:fix.Bat", "-p") +
                   Record(4, "Run Tormivex", "", "", "Stop installation") +
                   Record(5, "Run 3rd party software and wait", "", "", "", "", "wait.exe") +
                   Record(6, "Run 3rd party software", "", "", "", "", "x\"\" & calc & rem .bat") +
                   Record(7, "Run 3rd party software", "", "", "", "", "%COMSPEC%.bat"));
    machine.processes.AddProgram("C:\\SETUP\\wait.exe", sim::SimProgram{2000, 0, {}});

    EXPECT_TRUE(Pass(ActionPass::First, dialog));

    const std::vector<std::string> lines = machine.trace.Lines();
    const std::vector<std::string> expected = {
        "shell run failed: file=C:\\SETUP\\patch.exe params=-q show=10",
        "winexec: cmd=\"C:\\WINDOWS\\SYSTEM32\\cmd.exe\" /s /c \"\"C:\\SETUP\\fix.BAT\"\" show=1",
        "winexec: cmd=\"C:\\WINDOWS\\SYSTEM32\\cmd.exe\" /s /c \"\"C:\\SETUP\\fix.bat\"\" show=1",
        "shell run failed: file=C:\\SETUP\\fix.Bat params=-p show=10",
        "shell run failed: file=C:\\WINDOWS\\TEMP\\tormivex.exe params= show=10",
        "start: app=C:\\SETUP\\wait.exe cmd= dir=C:\\SETUP",
        "exit: C:\\SETUP\\wait.exe 0",
    };
    EXPECT_EQ(expected, lines);
    EXPECT_EQ(2000u, machine.scheduler.Now());
}

// Windows 98 has no cmd.exe, so a batch file cannot run there; a program
// anywhere on the machine starts, and the shell hands a web address to the
// browser.
TEST_F(AdvancedActionsTest, ProgramsStartAsTheMachineHasThem) {
    machine.InstallWindows({VER_PLATFORM_WIN32_WINDOWS, 4, 10}, "C:\\WINDOWS",
                           "C:\\WINDOWS\\SYSTEM");
    machine.files.Put("C:\\Tools\\helper.exe", "");
    PutList(3, Record(0, "Run 3rd party software", "", "", "", "", "fix.bat") +
                   Record(1, "If Windows 98", "", "Run Program", "", "", "C:\\Tools\\helper.exe") +
                   Record(2, "If Windows 98", "", "Run Program", "", "", "http://acme.example/"));
    SetupProgressDialog dialog(machine.GetPorts());

    EXPECT_TRUE(Pass(ActionPass::First, dialog));

    EXPECT_EQ((std::vector<std::string>{
                  "winexec failed: cmd=\"C:\\WINDOWS\\SYSTEM\\cmd.exe\" /s /c "
                  "\"\"C:\\SETUP\\fix.bat\"\" show=1",
                  "shell run: file=C:\\Tools\\helper.exe params= show=10",
                  "shell run: file=http://acme.example/ params= show=10",
              }),
              machine.trace.Lines());
}

TEST_F(AdvancedActionsTest, DriveRootGetsTheDoubledSeparatorWindowsAccepts) {
    machine.system.currentDirectory = "D:\\";
    machine.files.Put("D:\\kestavo.tag",
                      "[ADVACTIONSKV]\nTOTAL=1\n" +
                          Record(0, "Run 3rd party software", "", "", "", "", "tool.exe"));
    SetupProgressDialog dialog(machine.GetPorts());

    Pass(ActionPass::First, dialog);

    EXPECT_TRUE(machine.trace.Has("shell run failed: file=D:\\\\tool.exe"));
}

TEST_F(AdvancedActionsTest, EveryFieldIsCutAt99Characters) {
    const std::string text(150, 't');
    PutList(1,
            "B0=Show MessageBox" + std::string(100, ' ') + "x\nE0=" + text + "\nG0=" + text + "\n");
    PutTag("[ADVACTIONSKV]\nTOTAL=2\n" + Record(0, "Show MessageBox", "", "", text, "", text) +
           "B1=" + std::string(99, 'B') + "Show MessageBox\n");
    SetupProgressDialog dialog(machine.GetPorts());

    EXPECT_TRUE(Pass(ActionPass::First, dialog));

    EXPECT_EQ((std::vector<std::string>{std::string(99, 't')}), Boxes());
}

TEST_F(AdvancedActionsTest, HugeFieldsAreCutBeforeAnythingSeesThem) {
    const std::string huge(100000, 'h');
    PutList(3, Record(0, "If the file described below exists", "<Program Files>" + huge,
                      "Show MessageBox", "", "", huge) +
                   Record(1, "Run 3rd party software and wait", "", "", "", "", huge, huge) +
                   Record(2, "Show MessageBox", "", "", "", "", huge));
    SetupProgressDialog dialog(machine.GetPorts());

    EXPECT_TRUE(Pass(ActionPass::First, dialog));

    EXPECT_EQ((std::vector<std::string>{std::string(99, 'h')}), Boxes());
    const std::string cut(99, 'h');
    EXPECT_TRUE(machine.trace.Has("start failed: app=C:\\SETUP\\" + cut + " cmd=" + cut + " "));
}

TEST_F(AdvancedActionsTest, RestartDialogWaitsForEitherButtonThenGoesOn) {
    PutList(3, Record(0, "Show MessageBox", "", "", "Restart Computer", "", "first") +
                   Record(1, "Show MessageBox", "", "", "Restart Computer", "", "second") +
                   Record(2, "Show MessageBox", "", "", "", "", "third"));
    machine.scheduler.At(3000, [this] { machine.dialogs.Press(135, IDOK); });
    machine.scheduler.At(5000, [this] { machine.dialogs.Press(135, IDCANCEL); });

    EXPECT_EQ(0u, RunSetup());

    EXPECT_EQ((std::vector<std::string>{"first", "second", "third"}), Boxes());
    EXPECT_EQ(2000, TimeOf("dialog 135: create"));
    EXPECT_EQ(3000, TimeOf("dialog 135: end 1"));
    EXPECT_EQ(3000, TimeOf("message box: second"));
    EXPECT_EQ(5000, TimeOf("dialog 135: end 2"));
    EXPECT_EQ(5000, TimeOf("message box: third"));
    EXPECT_EQ(5000, TimeOf(kMsiexecStart));
}

TEST_F(AdvancedActionsTest, HugeTotalWithFewRecordsGivesTheSameRunQuickly) {
    PutList(2147483647, Record(0, "Show MessageBox", "", "", "", "", "zero") +
                            Record(7, "Show MessageBox", "", "", "", "", "seven") +
                            "b1000000=Show MessageBox\ng1000000=million\nC12=\n");
    SetupProgressDialog dialog(machine.GetPorts());

    EXPECT_TRUE(Pass(ActionPass::First, dialog));

    EXPECT_EQ((std::vector<std::string>{"zero", "seven", "million"}), Boxes());
}

TEST_F(AdvancedActionsTest, RecordsRunInNumberOrderWhateverTheirOrderInTheFile) {
    PutList(3, Record(2, "Show MessageBox", "", "", "", "", "two") +
                   Record(0, "Show MessageBox", "", "", "", "", "zero") +
                   Record(1, "Show MessageBox", "", "", "", "", "one"));
    SetupProgressDialog dialog(machine.GetPorts());

    EXPECT_TRUE(Pass(ActionPass::First, dialog));

    EXPECT_EQ((std::vector<std::string>{"zero", "one", "two"}), Boxes());
}

// A program run by a record may rewrite the tag file; records it adds are
// found as reading every number would find them.
TEST_F(AdvancedActionsTest, RecordsAddedByAnEarlierRecordAreStillRun) {
    PutList(100, Record(0, "Run 3rd party software and wait", "", "", "", "", "patch.exe"));
    machine.processes.AddProgram("C:\\SETUP\\patch.exe", sim::SimProgram{500, 0, {}});
    machine.scheduler.At(100, [this] {
        PutList(100, Record(0, "Run 3rd party software and wait", "", "", "", "", "patch.exe") +
                         Record(50, "Show MessageBox", "", "", "", "", "added"));
    });
    SetupProgressDialog dialog(machine.GetPorts());

    Pass(ActionPass::First, dialog);

    EXPECT_EQ((std::vector<std::string>{"added"}), Boxes());
}

TEST_F(AdvancedActionsTest, TenThousandRecordsRunInOrder) {
    std::string records;
    for (int i = 0; i < 10000; ++i) {
        records += "B" + std::to_string(i) + "=If Windows 95\nG" + std::to_string(i) + "=" +
                   std::to_string(i) + "\nD" + std::to_string(i) + "=Show MessageBox\n";
    }
    records += Record(10000, "Show MessageBox", "", "", "", "", "last");
    PutList(10001, records);
    SetupProgressDialog dialog(machine.GetPorts());

    EXPECT_TRUE(Pass(ActionPass::First, dialog));

    EXPECT_EQ((std::vector<std::string>{"last"}), Boxes());
}

}  // namespace
}  // namespace kestavo::test
