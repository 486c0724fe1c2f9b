#include "vendortools/SetupPreview.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "platform/MachineReadPorts.h"
#include "platform/WinConst.h"
#include "support/HostFolder.h"
#include "support/Pictures.h"
#include "support/SimFixture.h"
#include "vendortools/CodePage.h"
#include "vendortools/DryRunMachine.h"
#include "vendortools/MachineCapture.h"
#include "vendortools/MachineFileText.h"
#include "vendortools/SetupPreviewCommand.h"
#include "vendortools/ToolCommandLine.h"

namespace kestavo::test {
namespace {

using vendortools::DryRunMachine;
using vendortools::MachineCapture;
using vendortools::MachineProfile;
using vendortools::SetupFolderImage;
using vendortools::SetupPreview;
using vendortools::SetupPreviewCommand;
using vendortools::TimelineEvent;
using vendortools::ToolCommandLine;

// "time kind text" of each event whose text holds `part`.
std::vector<std::string> With(const std::vector<TimelineEvent>& events, const std::string& part) {
    std::vector<std::string> found;
    for (const TimelineEvent& event : events) {
        if (event.text.find(part) != std::string::npos) {
            found.push_back(std::to_string(event.ms) + " " + event.kind + " " + event.text);
        }
    }
    return found;
}

SetupFolderImage Folder(const std::string& tag) {
    SetupFolderImage folder;
    folder.Put("kestavo.tag", tag);
    folder.Put("_data.msi", "");
    folder.Put("InstMsiA.exe", "MZ");
    folder.Put("InstMsiW.exe", "MZ");
    return folder;
}

// The runtime step is what differs between an old and a new system; the
// programs' run times and exit codes come from the machine. A
// redistributable that succeeds brings the Installer; one that fails leaves
// the system without it.
TEST(SetupPreviewTest, AnOldSystemRunsTheRedistributableUntilItHasTheInstaller) {
    const SetupFolderImage folder = Folder("[SPLASH]\nA0=Disabled\n");
    const std::string installer =
        "started C:\\WINDOWS\\SYSTEM32\\msiexec.exe, command line "
        "\"C:\\WINDOWS\\SYSTEM32\\msiexec.exe /I \"C:\\SETUP\\_data.msi\"\", in C:\\SETUP";

    const MachineProfile xp = *MachineProfile::BuiltIn("winxp");
    SetupPreview onXp(folder, xp);
    const std::vector<TimelineEvent> xpRun = onXp.Run();
    EXPECT_TRUE(With(xpRun, "InstMsi").empty());
    EXPECT_EQ((std::vector<std::string>{"2000 program " + installer}),
              With(xpRun, "started C:\\WINDOWS"));
    EXPECT_EQ("setup.exe ends with exit code 0", xpRun.back().text);

    const MachineProfile old = *MachineProfile::BuiltIn("win98");
    SetupPreview on98(folder, old);
    const std::vector<TimelineEvent> oldRun = on98.Run();
    EXPECT_EQ((std::vector<std::string>{
                  "0 step Windows Installer is not current: the redistributable "
                  "C:\\SETUP\\InstMsiA.exe runs",
                  "0 program started C:\\SETUP\\InstMsiA.exe through the shell, parameters \"\"",
                  "2000 program C:\\SETUP\\InstMsiA.exe ended with exit code 0, after 2.000 s",
              }),
              With(oldRun, "InstMsiA"));
    EXPECT_EQ((std::vector<std::string>{
                  "0 step Windows Installer: C:\\WINDOWS\\SYSTEM\\msi.dll is missing"}),
              With(oldRun, "msi.dll"));
    // Windows 98's system folder is SYSTEM.
    EXPECT_EQ(1u, With(oldRun, "started C:\\WINDOWS\\SYSTEM\\msiexec.exe").size());
    EXPECT_EQ("setup.exe ends with exit code 0", oldRun.back().text);

    std::string error;
    const auto failing =
        MachineProfile::FromFile("[machine]\nbase=win98\n[exits]\nInstMsiA.exe=1603\n", error);
    ASSERT_TRUE(failing) << error;
    SetupPreview onFailing(folder, *failing);
    const std::vector<TimelineEvent> failedRun = onFailing.Run();
    EXPECT_EQ((std::vector<std::string>{
                  "0 program started C:\\SETUP\\InstMsiA.exe through the shell, "
                  "parameters \"\"",
                  "4000 step Windows Installer was not current when the progress dialog "
                  "started: the redistributable C:\\SETUP\\InstMsiA.exe runs "
                  "again before the package",
                  "4000 program started C:\\SETUP\\InstMsiA.exe, command line "
                  "\"\", in C:\\SETUP",
                  "6000 program could not start C:\\WINDOWS\\SYSTEM\\msiexec.exe"}),
              With(failedRun, "start"));
    EXPECT_EQ("setup.exe ends with exit code 1603", failedRun.back().text);
}

// Each old system as it is: Windows 98 without the redistributable has no
// msiexec.exe and the shell says it cannot find the one missing; Me's own
// Installer is too old for the package, and Me is named Me; Windows 2000
// keeps Windows in C:\WINNT.
TEST(SetupPreviewTest, OldSystemsShowWhatTheyHave) {
    SetupFolderImage folder;
    folder.Put("kestavo.tag",
               "[SPLASH]\nA0=Disabled\n[ADVACTIONSKV]\nTOTAL=1\nA0=old\nB0=If Windows 98\n");
    folder.Put("_data.msi", "");

    const MachineProfile win98 = *MachineProfile::BuiltIn("win98");
    SetupPreview on98(folder, win98);
    const std::vector<TimelineEvent> run98 = on98.Run();
    EXPECT_EQ(
        (std::vector<std::string>{
            "0 step Windows Installer: C:\\WINDOWS\\SYSTEM\\msi.dll is missing",
            "0 step Windows Installer is not current: the redistributable C:\\SETUP\\InstMsiA.exe "
            "runs",
            "0 program could not start C:\\SETUP\\InstMsiA.exe",
            "0 message message box \"Cannot find the file 'C:\\SETUP\\InstMsiA.exe' (or one of "
            "its components). Make sure the path and filename are correct and that all "
            "required libraries are available.\", answered OK",
            "2000 step Windows Installer was not current when the progress dialog started: the "
            "redistributable C:\\SETUP\\InstMsiA.exe runs again before the package",
            "2000 program could not start C:\\SETUP\\InstMsiA.exe",
            "2000 program could not start C:\\WINDOWS\\SYSTEM\\msiexec.exe",
        }),
        With(run98, "C:\\"));
    EXPECT_EQ("setup.exe ends with exit code 1603", run98.back().text);

    const MachineProfile me = *MachineProfile::BuiltIn("winme");
    SetupPreview onMe(folder, me);
    const std::vector<TimelineEvent> runMe = onMe.Run();
    EXPECT_EQ(1u,
              With(runMe, "holds: the system is Windows Me, which counts as Windows 98").size());
    EXPECT_EQ(1u, With(runMe, "msiexec.exe ended with exit code 1613").size());

    const MachineProfile win2000 = *MachineProfile::BuiltIn("win2000");
    SetupPreview on2000(folder, win2000);
    EXPECT_EQ(1u, With(on2000.Run(), "started C:\\WINNT\\system32\\msiexec.exe").size());
}

// Each record's lines are the decisions the program reported as it made
// them: a completion choice is applied only where the record's type takes
// one.
TEST(SetupPreviewTest, AMachineFileSaysWhatIsThereAndEachRecordSaysWhy) {
    std::string error;
    const auto machine = MachineProfile::FromFile(
        "[machine]\nbase=win10\n[installer]\nseconds=5\nexit=3010\n"
        "[running]\nAcme Writer=AcmeMain\n[installed]\n{42}=Acme Tools\n"
        "[answers]\nrestart=2\n",
        error);
    ASSERT_TRUE(machine) << error;
    const SetupFolderImage folder = Folder(
        "[SPLASH]\nA0=Disabled\n[ADVACTIONSKV]\nTOTAL=5\n"
        "A0=writer\nB0=If the program described below is running\nC0=Acme Writer\n"
        "D0=Close Program\nE0=Restart Computer\n"
        "A1=tools\nB1=If the program described below is not installed\nC1=Acme Tools\n"
        "D1=Show MessageBox\nG1=never\n"
        "A2=late\nB2=Show MessageBox\nF2=After Setup Complete Dialog\nG2=done\n"
        "A3=typo\nB3=Show Messagebox\n"
        "A4=update\nB4=Run Tormivex\nE4=Stop installation\n");

    SetupPreview preview(folder, *machine);
    const std::vector<TimelineEvent> events = preview.Run();

    EXPECT_EQ((std::vector<std::string>{
                  "2000 action record 0 \"writer\": \"If the program described below is running\" "
                  "holds: a window titled \"Acme Writer\" is open",
                  "2000 action record 0 \"writer\": then \"Close Program\": tells the window "
                  "\"Acme Writer\" to quit",
                  "2000 action record 0 \"writer\": completion choice \"Restart Computer\": the "
                  "restart dialog is shown (nothing restarts)",
                  "3000 action record 1 \"tools\": \"If the program described below is not "
                  "installed\" does not hold: the uninstall entry HKLM\\SOFTWARE\\Microsoft\\"
                  "Windows\\CurrentVersion\\Uninstall\\{42} has the DisplayName \"Acme "
                  "Tools\"; nothing is done",
                  "3000 action record 2 \"late\": \"Show MessageBox\" marked \"After Setup "
                  "Complete Dialog\": waits for the pass after the package, which it asks for",
                  "3000 action record 3 \"typo\": \"Show Messagebox\" is no type setup.exe knows: "
                  "nothing is done",
                  "3000 action record 4 \"update\": \"Run Tormivex\": starts tormivex.exe from the "
                  "temporary folder",
                  "3000 action record 4 \"update\": \"Run Tormivex\" takes no completion choice: "
                  "\"Stop installation\" is ignored",
                  // After the package every record runs again, not only the late one.
                  "8000 action record 0 \"writer\": \"If the program described below is running\" "
                  "holds: a window titled \"Acme Writer\" is open",
                  "8000 action record 0 \"writer\": then \"Close Program\": tells the window "
                  "\"Acme Writer\" to quit",
                  "8000 action record 0 \"writer\": completion choice \"Restart Computer\": the "
                  "restart dialog is shown (nothing restarts)",
                  "9000 action record 1 \"tools\": \"If the program described below is not "
                  "installed\" does not hold: the uninstall entry HKLM\\SOFTWARE\\Microsoft\\"
                  "Windows\\CurrentVersion\\Uninstall\\{42} has the DisplayName \"Acme "
                  "Tools\"; nothing is done",
                  "9000 action record 2 \"late\": \"Show MessageBox\": shows \"done\"",
                  "9000 action record 3 \"typo\": \"Show Messagebox\" is no type setup.exe knows: "
                  "nothing is done",
                  "9000 action record 4 \"update\": \"Run Tormivex\": starts tormivex.exe from the "
                  "temporary folder",
                  "9000 action record 4 \"update\": \"Run Tormivex\" takes no completion choice: "
                  "\"Stop installation\" is ignored",
              }),
              With(events, "record "));
    EXPECT_EQ((std::vector<std::string>{"8000 step the action list runs again after the package, "
                                        "as asked for in the first pass"}),
              With(events, "runs again"));
    EXPECT_EQ(2u, With(events, "told the window Acme Writer (AcmeMain) to quit").size());
    EXPECT_EQ((std::vector<std::string>{"3000 window restart dialog answered Cancel",
                                        "9000 window restart dialog answered Cancel"}),
              With(events, "answered Cancel"));
    EXPECT_EQ(1u, With(events, "message box \"done\", answered OK").size());
    EXPECT_EQ("setup.exe ends with exit code 3010", events.back().text);
}

// What setup.exe passes over without a word, the preview says, with why.
TEST(SetupPreviewTest, EverySilenceIsExplained) {
    SetupFolderImage folder = Folder(
        "[SPLASH]\nA0=Animation\nA2=Sound On\nA4=1\n[APPINFO]\nLanguageM=Ask user for "
        "Language\n[BACKGROUND]\n0=1\n5=logo.bmp\n[BILLBOARDSKV]\nTOTAL=1\nB0=cut.bmp\n");
    // A sound where the animation should be.
    folder.Put("kvavi.avi", std::string("RIFF\4\0\0\0WAVE", 12));
    folder.Put("logo.bmp", "\x89PNG\r\n\x1a\n");
    folder.Put("images\\cut.bmp", BmpHeader(4, 4).substr(0, 20));

    const std::vector<TimelineEvent> onXp =
        SetupPreview(folder, *MachineProfile::BuiltIn("winxp")).Run();

    EXPECT_EQ((std::vector<std::string>{
                  "0 step the language switcher does not run: neither Languages\\switch.exe nor "
                  "switch.exe is in the setup folder",
                  "0 media sound C:\\SETUP\\kvsound.wav cannot be played: the splash is silent",
                  "0 media animation C:\\SETUP\\kvavi.avi cannot be opened: the splash shows none",
                  "2000 media picture C:\\SETUP\\logo.bmp is not shown: it is no BMP, GIF or JPEG "
                  "picture the decoder reads",
                  "2000 media picture C:\\SETUP\\images\\cut.bmp is not shown: the bitmap ends "
                  "within its own headers",
              }),
              With(onXp, "not "));

    folder.Put("switch.exe", "MZ");
    folder.Put("kvavi.avi", std::string("RIFF\4\0\0\0AVI ", 12));
    folder.Put("kvsound.wav", std::string("RIFF\4\0\0\0WAVE", 12));
    const std::vector<TimelineEvent> on95 =
        SetupPreview(folder, *MachineProfile::BuiltIn("win95")).Run();
    // Windows 95 has no Installer: its redistributable runs two seconds first.
    EXPECT_EQ((std::vector<std::string>{"2000 step the language switcher does not run: the system "
                                        "cannot name its user-interface language (it has no "
                                        "GetSystemDefaultUILanguage)"}),
              With(on95, "switcher"));
    EXPECT_TRUE(With(on95, "cannot be").empty());
}

// A program outside the setup folder starts when the machine has it, with
// the run time and exit code the machine file gives it.
TEST(SetupPreviewTest, ProgramsAMachineFileListsStartAsListed) {
    std::string error;
    const auto machine = MachineProfile::FromFile(
        "[files]\nC:\\Tools\\tool.exe=\n[programs]\ntool.exe=3\n[exits]\ntool.exe=5\n", error);
    ASSERT_TRUE(machine) << error;
    const SetupFolderImage folder = Folder(
        "[SPLASH]\nA0=Disabled\n[FILESUPPORT]\nTOTAL=1\nA0=C:\\Tools\\tool.exe\n"
        "B0=Before installation\n");
    SetupPreview preview(folder, *machine);

    EXPECT_EQ((std::vector<std::string>{
                  "0 program started C:\\Tools\\tool.exe, command line \"\", in C:\\SETUP",
                  "3000 program C:\\Tools\\tool.exe ended with exit code 5, after 3.000 s"}),
              With(preview.Run(), "tool.exe"));
}

// A real machine for a dry run, played by a simulated one: a 64-bit
// Windows 10 with Acme Writer in its 64-bit uninstall list and Acme Tools,
// by its key's name, in its 32-bit one; a picture in the user's My Pictures
// folder; Acme Writer's window open; and what no setup asks about (another
// product, the user's Favorites).
class RealMachine {
public:
    static constexpr char kFolder[] = "D:\\Downloads\\acme";

    explicit RealMachine(const SetupFolderImage& folder) {
        m_machine.InstallWindows({VER_PLATFORM_WIN32_NT, 10, 0}, "C:\\Windows",
                                 "C:\\Windows\\system32");
        m_machine.InstallInstallerRuntime({5, 0, 19041}, sim::SimProgram{1000, 0, {}});
        sim::SimRegistry& registry = m_machine.registry;
        registry.twoViews = true;
        const std::string uninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
        registry.Put(uninstall + "{A1}", "DisplayName", "Acme Writer", RegistryView::Bits64);
        registry.Put(uninstall + "AcmeTools", "DisplayName", "Tools", RegistryView::Bits32);
        registry.Put(uninstall + "{B2}", "DisplayName", "Bravo Other", RegistryView::Bits64);
        m_machine.system.specialFolders[CSIDL_MYPICTURES] = "C:\\Users\\ann\\Pictures";
        m_machine.system.specialFolders[CSIDL_FAVORITES] = "C:\\Users\\ann\\Favorites";
        m_machine.files.Put("C:\\Users\\ann\\Pictures\\acme.png", "x");
        m_machine.processes.otherWindows.push_back({0x1234, 77, "Acme Writer", "AcmeMain"});
        folder.PutInto(m_machine, kFolder);
        m_machine.processes.AddProgram(std::string(kFolder) + "\\recorder.exe",
                                       sim::SimProgram{1000, 0, {}});
    }

    MachineReadPorts Reads() {
        return MachineReadPorts{m_machine.system,         m_machine.profile,   m_machine.registry,
                                m_machine.modules,        m_machine.processes, m_machine.desktop,
                                m_machine.system.codePage};
    }
    sim::SimMachine& Machine() { return m_machine; }

private:
    sim::SimMachine m_machine;
};

SetupFolderImage AskingFolder() {
    SetupFolderImage folder = Folder(
        "[SPLASH]\nA0=Disabled\n[ADVACTIONSKV]\nTOTAL=6\n"
        "A0=writer\nB0=If the program described below is installed\nC0=Acme Writer\n"
        "D0=Show MessageBox\nG0=writer\n"
        "A1=tools\nB1=If the program described below is installed\nC1=AcmeTools\n"
        "D1=Show MessageBox\nG1=tools\n"
        "A2=picture\nB2=If the file described below exists\nC2=<My Pictures Folder>\\acme.png\n"
        "D2=Show MessageBox\nG2=picture\n"
        "A3=missing\nB3=If the program described below is installed\nC3=Acme Gone\n"
        "D3=Show MessageBox\nG3=gone\n"
        "A4=recorder\nB4=Run 3rd party software\nG4=recorder.exe\n"
        "A5=close\nB5=If the program described below is running\nC5=Acme Writer\n"
        "D5=Close Program\nE5=Stop installation\n");
    folder.Put("recorder.exe", "MZ");
    return folder;
}

// The dry run takes every answer from the real machine and does everything
// on the simulated one: the real machine's trace stays empty, no program of
// it starts and its window is told nothing, while the timeline shows each
// answer with the reason the real machine gave, and the run's exit code.
TEST(SetupPreviewTest, ADryRunAsksTheRealMachineAndChangesNothingOnIt) {
    const SetupFolderImage folder = AskingFolder();
    RealMachine real(folder);
    const MachineReadPorts reads = real.Reads();
    const MachineProfile profile = MachineCapture(reads, &folder).Profile();
    SetupPreview preview(folder, profile);
    preview.AskInstead(reads);

    const std::vector<TimelineEvent> events = preview.Run();

    EXPECT_EQ(1u, With(events,
                       "holds: the uninstall entry HKLM\\SOFTWARE\\Microsoft\\Windows\\"
                       "CurrentVersion\\Uninstall\\{A1} (64-bit view) has the "
                       "DisplayName \"Acme Writer\"")
                      .size());
    EXPECT_EQ(1u, With(events, "Uninstall\\AcmeTools (32-bit view) is named \"AcmeTools\"").size());
    EXPECT_EQ(1u, With(events, "C:\\Users\\ann\\Pictures\\acme.png").size());
    EXPECT_EQ(1u, With(events, "started D:\\Downloads\\acme\\recorder.exe").size());
    EXPECT_EQ(1u, With(events, "told the window Acme Writer (AcmeMain) to quit").size());
    EXPECT_EQ(1603u, preview.ExitCode());
    EXPECT_EQ(std::vector<std::string>{}, real.Machine().trace.Lines());
}

// A capture holds the folder's questions' answers and nothing else, and
// replayed on any machine it makes the same decisions as the dry run.
TEST(SetupPreviewTest, ACapturedMachineReplaysToTheSameDecisions) {
    const SetupFolderImage folder = AskingFolder();
    RealMachine real(folder);
    const MachineReadPorts reads = real.Reads();
    const MachineProfile profile = MachineCapture(reads, &folder).Profile();
    SetupPreview dryRun(folder, profile);
    dryRun.AskInstead(reads);
    const std::vector<TimelineEvent> asked = dryRun.Run();
    MachineCapture capture(reads, &folder);
    capture.FollowDryRun(folder);
    const std::string text = vendortools::MachineFileText(capture.Profile(), {"captured"});

    std::string error;
    const auto replayed = MachineProfile::FromFile(text, error);
    ASSERT_TRUE(replayed) << error;
    SetupPreview replay(folder, *replayed);
    const std::vector<TimelineEvent> events = replay.Run();

    EXPECT_EQ(With(asked, "record "), With(events, "record ")) << text;
    EXPECT_EQ(dryRun.ExitCode(), replay.ExitCode());
    EXPECT_EQ(
        "the Windows it was captured on (NT 10.0, Windows Installer 5.0.19041), with the "
        "machine file's additions",
        replayed->description);
    EXPECT_EQ(0u, text.find("; captured\r\n")) << text;
    for (const char* absent : {"Bravo", "Favorites", "Acme Gone"}) {
        EXPECT_EQ(std::string::npos, text.find(absent)) << absent << " in\n" << text;
    }
}

// A shell folder is captured where a tag file names its macro, in
// whatever text the tag file is, and only there.
TEST(SetupPreviewTest, ACaptureTakesTheShellFoldersTheTagFilesName) {
    std::string utf16 = "\xFF\xFE";
    for (const char c : std::string("[APPINFO]\r\n5=<My Pictures Folder>\\Acme\r\n")) {
        utf16 += {c, '\0'};
    }
    SetupFolderImage folder = Folder("[SPLASH]\nA0=Disabled\n");
    folder.Put("data.tag", utf16);
    RealMachine real(folder);

    const MachineProfile profile = MachineCapture(real.Reads(), &folder).Profile();

    EXPECT_EQ((std::map<int, std::string>{{CSIDL_MYPICTURES, "C:\\Users\\ann\\Pictures"}}),
              profile.shellFolders);
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::string::size_type at = text.find(part); at != std::string::npos;
         at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// A frame a moment the screen changes: the progress dialog with its bar as
// far as it has filled and its Cancel button, the installer's window in the
// middle of the screen, each picture in the page once and drawn where each
// frame shows it.
TEST(SetupPreviewTest, TheStoryboardDrawsEachChangeOfTheScreen) {
    SetupFolderImage folder = Folder(
        "[SETUP]\n1=Stop\n[SPLASH]\nA0=Picture\nA4=1\n[BACKGROUND]\n0=1\n1=Title & "
        "more\n3=x@0xFF,0x00,0x00\n"
        "[BILLBOARDSKV]\nTOTAL=1\nB0=one.gif\nC0=2\nD0=100\nE0=50\n");
    folder.Put("images\\one.gif", CorpusPicture("logo300x200.gif"));
    folder.Put("setup.bmp", CorpusPicture("logo300x200.gif"));
    const MachineProfile xp = *MachineProfile::BuiltIn("winxp");
    SetupPreview preview(folder, xp);
    preview.Run();
    const std::string& html = preview.StoryboardHtml();

    std::vector<std::string> captions;
    for (std::string::size_type at = html.find("<h2>"); at != std::string::npos;
         at = html.find("<h2>", at + 1)) {
        captions.push_back(html.substr(at + 4, html.find("</h2>", at) - at - 4));
    }
    EXPECT_EQ((std::vector<std::string>{
                  "0.000 s: the progress dialog appears; the splash appears; the splash moves",
                  "1.000 s: the splash goes",
                  "2.000 s: the progress dialog goes; the background appears; the billboard "
                  "appears; the billboard moves",
                  "2.200 s: the window &quot;Windows Installer&quot; appears",
                  "4.000 s: the billboard goes",
                  "22.000 s: the window &quot;Windows Installer&quot; goes",
              }),
              captions);
    EXPECT_NE(std::string::npos, html.find("stop-color=\"rgb(255,0,0)\""));
    EXPECT_NE(std::string::npos, html.find(">Title &amp; more</text>"));
    // Empty at first, half full a second later.
    EXPECT_EQ(1u, Count(html, "<rect x=\"616\" y=\"698\" width=\"0\" height=\"17\""));
    EXPECT_EQ(1u, Count(html, "<rect x=\"616\" y=\"698\" width=\"157\" height=\"17\""));
    EXPECT_EQ(2u, Count(html, ">Stop</text>"));
    EXPECT_EQ(2u, Count(html, "<rect x=\"262\" y=\"191\" width=\"499\" height=\"386\""));
    EXPECT_EQ(2u, Count(html, "data:image/gif;base64,R0lGOD"));
    EXPECT_EQ(1u, Count(html, "href=\"#p0\" x=\"362\" y=\"284\" width=\"300\" height=\"200\""));
    EXPECT_EQ(2u, Count(html, "href=\"#p1\" x=\"100\" y=\"50\" width=\"300\" height=\"200\""));
}

// The animation is a child of the splash: its move inside the window does
// not move the window from the middle of the screen. A disabled splash is
// never seen, and a background without a picture says what it opened.
TEST(SetupPreviewTest, TheSplashIsWhereItsWindowIsAndADisabledOneNowhere) {
    SetupFolderImage folder = Folder("[SPLASH]\nA0=Animation\nA4=1\n[BACKGROUND]\n0=1\n");
    folder.Put("kvavi.avi", std::string("RIFF\4\0\0\0AVI ", 12));
    const MachineProfile xp = *MachineProfile::BuiltIn("winxp");
    SetupPreview animated(folder, xp);
    const std::vector<TimelineEvent> events = animated.Run();

    EXPECT_EQ((std::vector<std::string>{"0 window splash at (192, 144, 640 x 450)",
                                        "0 window splash shown", "1000 window splash closed"}),
              With(events, "splash"));
    EXPECT_EQ((std::vector<std::string>{
                  "2000 media picture C:\\SETUP\\ is not shown: the file cannot be opened or read "
                  "(missing, a folder, a device name, a path past 259 characters)"}),
              With(events, "picture C:"));
    EXPECT_EQ(1u, Count(animated.StoryboardHtml(),
                        "<rect x=\"192\" y=\"144\" width=\"640\" height=\"450\" fill=\"#808080\""));
    EXPECT_EQ(1u, Count(animated.StoryboardHtml(), ">animation C:\\SETUP\\kvavi.avi</text>"));

    const SetupFolderImage plain = Folder("[SPLASH]\nA0=Disabled\n");
    SetupPreview disabled(plain, xp);
    EXPECT_TRUE(With(disabled.Run(), "splash").empty());
}

TEST(SetupPreviewTest, AMachineFileNamingNoBuiltInMachineIsRefused) {
    std::string error;
    EXPECT_FALSE(MachineProfile::FromFile("[machine]\nbase=win3.1\n", error));
    EXPECT_EQ("[machine] base=win3.1 names no built-in machine", error);
    EXPECT_FALSE(MachineProfile::FromFile("[machine]\ncodepage=65001\n", error));
    EXPECT_EQ("[machine] codepage=65001 is no Windows ANSI code page: write " +
                  std::string(vendortools::CodePage::AnsiNumbers()),
              error);
    for (const char* system : {"XP", "NT10.0", "NT 10", "NT 10.0 SP1"}) {
        EXPECT_FALSE(MachineProfile::FromFile("[machine]\nsystem=" + std::string(system), error));
        EXPECT_EQ("[machine] system=" + std::string(system) +
                      " is no system version: write NT 10.0 or 9x 4.10",
                  error);
    }
    EXPECT_FALSE(MachineProfile::FromFile("[machine]\ninstaller=5.0\n", error));
    EXPECT_EQ(
        "[machine] installer=5.0 is no version: write three numbers (5.0.19041), none or "
        "unknown",
        error);
}

struct CommandOutput {
    int code;
    std::string out;
    std::string err;
};

CommandOutput RunSetupPreview(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = SetupPreviewCommand(out, err).Run(arguments);
    return {code, out.str(), err.str()};
}

std::string ReadHostFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A vendor's CI previews every machine and learns from the exit code
// whether the setup succeeds there; what the preview could not do is no
// success either.
TEST(SetupPreviewTest, TheExitCodeSaysWhetherTheSimulatedSetupSucceeds) {
    const HostFolder host;
    host.Put("setup/kestavo.tag", "[SPLASH]\nA0=Disabled\n");
    host.Put("setup/_data.msi", "");
    host.Put("fails.ini", "[installer]\nexit=1603\n");
    host.Put("restarts.ini", "[installer]\nexit=3010\n");
    const std::string setup = host.Path("setup");

    EXPECT_EQ(SetupPreviewCommand::kSetupSucceeds, RunSetupPreview({setup}).code);
    EXPECT_EQ(SetupPreviewCommand::kSetupFails,
              RunSetupPreview({setup, "--machine", host.Path("fails.ini")}).code);
    EXPECT_EQ(SetupPreviewCommand::kSetupSucceeds,
              RunSetupPreview({setup, "--machine", host.Path("restarts.ini")}).code);

    // A system setup.exe does not start on is named so on every run; without
    // the redistributable Windows 98 has no installer to run.
    const CommandOutput old = RunSetupPreview({setup, "--machine", "win98"});
    EXPECT_EQ(SetupPreviewCommand::kSetupFails, old.code);
    EXPECT_NE(std::string::npos,
              old.out.find("\nnote: setup.exe does not support this system: it starts on Windows "
                           "XP SP3 and later; below is what its logic would do here\n"));
    EXPECT_EQ(false,
              nlohmann::json::parse(
                  RunSetupPreview({setup, "--machine", "win2000", "--json"}).out)["supported"]);
    EXPECT_EQ(std::string::npos, RunSetupPreview({setup}).out.find("note: "));

    const std::string nowhere = host.Path("absent/storyboard.html");
    const CommandOutput unwritten = RunSetupPreview({setup, "--storyboard", nowhere});
    EXPECT_EQ(ToolCommandLine::kCannotRun, unwritten.code);
    EXPECT_EQ("setup-preview: the storyboard " + nowhere + " cannot be written\n", unwritten.err);
    const CommandOutput usage = RunSetupPreview({"--json", setup, "--machine"});
    EXPECT_EQ(ToolCommandLine::kCannotRun, usage.code);
    EXPECT_EQ("--machine: 1 required TEXT missing", nlohmann::json::parse(usage.out)["error"]);
    // Only the Windows build has a Windows to ask.
    const CommandOutput here = RunSetupPreview({setup, "--machine", "this"});
    EXPECT_EQ(ToolCommandLine::kCannotRun, here.code);
    EXPECT_EQ(0u, here.err.find("setup-preview: only setup-preview.exe, run on the Windows in "
                                "question, can ask it"));
    EXPECT_EQ(ToolCommandLine::kCannotRun, RunSetupPreview({"--capture", nowhere, setup}).code);
    const CommandOutput mixed =
        RunSetupPreview({"--capture", nowhere, setup, "--machine", "win7", "--json"});
    EXPECT_EQ("--machine excludes --capture", nlohmann::json::parse(mixed.out)["error"]);
    EXPECT_EQ("setup-preview: FOLDER is required\n", RunSetupPreview({"--answer", "2"}).err);
}

// The texts setup.exe shows are in the machine's code page; every output
// shows them as that machine does, in UTF-8.
TEST(SetupPreviewTest, TheMachinesCodePageMakesItsTextsUtf8InEveryOutput) {
    const HostFolder host;
    host.Put("setup/kestavo.tag",
             "[SPLASH]\nA0=Disabled\n[SETUP]\n0=\x95\x5C\x8E\xA6\n[BACKGROUND]\n0=1\n"
             "1=\x95\x5C\x8E\xA6\n");
    host.Put("setup/_data.msi", "");
    host.Put("japanese.ini", "[machine]\ncodepage=932\n");
    const std::vector<std::string> onJapanese = {host.Path("setup"), "--machine",
                                                 host.Path("japanese.ini")};
    const std::string shown = "progress dialog shown: \"\xE8\xA1\xA8\xE7\xA4\xBA\"";

    std::vector<std::string> withStoryboard = onJapanese;
    withStoryboard.insert(withStoryboard.end(), {"--storyboard", host.Path("story.html")});
    EXPECT_NE(std::string::npos, RunSetupPreview(withStoryboard).out.find(shown));
    EXPECT_NE(std::string::npos,
              ReadHostFile(host.Path("story.html")).find(">\xE8\xA1\xA8\xE7\xA4\xBA</text>"));
    std::vector<std::string> asJson = onJapanese;
    asJson.push_back("--json");
    // The dialog's event, wherever the decisions before it put it.
    const auto dialogShown = [](const nlohmann::json& report) {
        for (const auto& event : report["events"]) {
            const std::string text = event["text"];
            if (text.rfind("progress dialog shown: ", 0) == 0) {
                return text;
            }
        }
        return std::string();
    };
    const auto report = nlohmann::json::parse(RunSetupPreview(asJson).out);
    EXPECT_EQ(932, report["codepage"]);
    EXPECT_EQ(shown, dialogShown(report));

    asJson.insert(asJson.end(), {"--codepage", "1252"});
    EXPECT_EQ("progress dialog shown: \"\xE2\x80\xA2\\\xC5\xBD\xC2\xA6\"",
              dialogShown(nlohmann::json::parse(RunSetupPreview(asJson).out)));
}

}  // namespace
}  // namespace kestavo::test
