#include "vendortools/DecisionNarrator.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "driver/SetupApp.h"
#include "platform/WinConst.h"
#include "resources/resource.h"
#include "support/SimFixture.h"

namespace kestavo::test {
namespace {

using vendortools::DecisionNarrator;

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The text of `line` between `from` and the next `to`; empty when `from`
// is not there.
std::string Between(const std::string& line, const std::string& from, const std::string& to) {
    const std::string::size_type start = line.find(from);
    if (start == std::string::npos) {
        return {};
    }
    const std::string::size_type begin = start + from.size();
    return line.substr(begin, line.find(to, begin) - begin);
}

// The effect a record's narration says the machine will see, as its trace
// line begins; empty for one that says nothing is done.
std::string Promised(const std::string& narration) {
    if (narration.find(": starts tormivex.exe from the temporary folder") != std::string::npos) {
        return "shell run: file=C:\\WINDOWS\\TEMP\\tormivex.exe ";
    }
    if (narration.find(" through the shell") != std::string::npos) {
        return "shell run: file=" + Between(narration, ": starts ", " through the shell") + " ";
    }
    if (narration.find(" through cmd.exe") != std::string::npos) {
        return "winexec: cmd=\"C:\\WINDOWS\\SYSTEM32\\cmd.exe\" /s /c \"\"" +
               Between(narration, "the batch file ", " through cmd.exe") + "\"\"";
    }
    if (narration.find(" and waits for it") != std::string::npos) {
        return "start: app=" + Between(narration, ": starts ", " and waits for it") + " ";
    }
    if (narration.find(": shows \"") != std::string::npos) {
        return "message box: " + Between(narration, ": shows \"", "\"") + " |";
    }
    if (narration.find(" to quit") != std::string::npos) {
        return "post quit: " + Between(narration, "tells the window \"", "\"") + " (";
    }
    if (narration.find("the restart dialog is shown") != std::string::npos) {
        return "dialog 135: create";
    }
    return narration.find("the installation stops") != std::string::npos
               ? "message box: Can't continue with installation"
               : "";
}

// A trace line the action list can cause, with a failed start read as the
// attempt it was; empty for any other line.
std::string ActionEffect(const std::string& line) {
    for (const char* prefix : {"shell run", "start", "shell"}) {
        const std::string failed = std::string(prefix) + " failed: ";
        if (StartsWith(line, failed)) {
            return std::string(prefix) + ": " + line.substr(failed.size());
        }
    }
    for (const char* prefix : {"shell run: ", "start: ", "shell: ", "winexec: ", "message box: ",
                               "post quit: ", "dialog 135: create"}) {
        if (StartsWith(line, prefix)) {
            return line;
        }
    }
    return {};
}

class DecisionNarratorTest : public SimFixture {
protected:
    // The whole program on the machine, the narrator hearing it, and the
    // restart dialog answered half a second after it appears.
    void RunNarrated() {
        DecisionNarrator narrator(machine);
        Ports narrated = machine.GetPorts();
        narrated.observer = &narrator;
        std::function<void()> answer = [this, &answer] {
            if (!machine.dialogs.ProcessEnded()) {
                machine.dialogs.Press(IDD_RESTART, IDOK);
                machine.scheduler.After(500, answer);
            }
        };
        machine.scheduler.After(500, answer);
        SetupApp app(narrated);
        app.InitInstance();
    }
};

// Every kind of record, in both passes: what each record's narration says
// it does is what the machine saw it do, between that line and the next
// decision, and nothing the action list did goes untold.
TEST_F(DecisionNarratorTest, WhatARecordIsSaidToDoIsWhatItDid) {
    PutTag(
        "[SPLASH]\nA0=Disabled\n[ADVACTIONSKV]\nTOTAL=15\n"
        "A0=running\nB0=If the program described below is running\nC0=Acme Writer\n"
        "D0=Close Program\nE0=Restart Computer\n"
        "A1=no window\nB1=If the program described below is installed\nC1=Acme Tools\n"
        "D1=Close Program\n"
        "A2=installed\nB2=If the program described below is installed\nC2=Acme Tools\n"
        "D2=Run Program\nG2=notepad.exe\n"
        "A3=not installed\nB3=If the program described below is not installed\nC3=Acme Tools\n"
        "D3=Show MessageBox\nG3=never\n"
        "A4=file\nB4=If the file described below exists\nC4=<Shared DLLs>\\msiexec.exe\n"
        "D4=Show MessageBox\nG4=found\nE4=restart computer\n"
        "A5=dotnet\nB5=If .NET Framework don't exist\nD5=Launch\n"
        "A6=old\nB6=If Windows 95\nD6=Show MessageBox\nG6=old\n"
        "A7=box\nB7=Show MessageBox\nG7=hello\n"
        "A8=updater\nB8=Run Tormivex\nE8=Stop installation\n"
        "A9=tool\nB9=Run 3rd party software\nG9=C:\\elsewhere\\tool.exe\nH9=/q\n"
        "A10=batch\nB10=Run 3rd party software\nG10=fix.bat\n"
        "A11=refused\nB11=Run 3rd party software\nG11=50%.bat\n"
        "A12=wait\nB12=Run 3rd party software and wait\nG12=tool.exe\n"
        "A13=typo\nB13=Show Messagebox\n"
        "A14=late\nB14=Show MessageBox\nF14=After Setup Complete Dialog\nG14=late\n"
        "E14=Stop installation\n");
    machine.PutSetupFile("tool.exe", "MZ");
    machine.processes.AddProgram("C:\\SETUP\\tool.exe", sim::SimProgram{1000, 0, {}});
    machine.processes.otherWindows.push_back(
        TopLevelWindow{0x9000, 9000, "Acme Writer", "AcmeMain"});
    machine.registry.Put("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{42}",
                         "DisplayName", "Acme Tools");

    RunNarrated();

    const std::string told = std::string(DecisionNarrator::kTracePrefix) + "action: ";
    std::string narration;
    std::vector<std::string> seen;
    int records = 0;
    const auto check = [&] {
        const std::string promised = Promised(narration);
        ASSERT_EQ(promised.empty() ? 0u : 1u, seen.size()) << narration;
        if (!promised.empty()) {
            EXPECT_TRUE(StartsWith(seen[0], promised)) << narration << "\n" << seen[0];
        }
    };
    for (const std::string& line : machine.trace.Lines()) {
        const std::string effect = ActionEffect(line);
        if (StartsWith(line, DecisionNarrator::kTracePrefix)) {
            check();
            narration = StartsWith(line, told) ? line.substr(told.size()) : line;
            records += StartsWith(line, told);
            seen.clear();
        } else if (!effect.empty() && effect.find("msiexec.exe") == std::string::npos) {
            seen.push_back(effect);
        }
    }
    check();
    // 15 records before the package and 15 after; the last one stops.
    EXPECT_GE(records, 30) << machine.trace.Dump();
    EXPECT_TRUE(machine.trace.Has("message box: Can't continue with installation"));
}

}  // namespace
}  // namespace kestavo::test
