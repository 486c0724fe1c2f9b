#include "actions/AdvancedActions.h"

#include "actions/CompletionChoice.h"
#include "actions/FolderMacros.h"
#include "core/DecisionReport.h"
#include "core/ProcessRunner.h"
#include "core/SetupFolder.h"
#include "core/TagKeywords.h"
#include "framework/AppMessageBox.h"
#include "platform/WinConst.h"

namespace kestavo {

namespace {

const char kSection[] = "ADVACTIONSKV";
constexpr int kSetBit = 255;

}  // namespace

bool IsBatchFile(const std::string& path) {
    if (path.size() < 4) {
        return false;
    }
    const std::string extension = path.substr(path.size() - 4);
    return extension == ".BAT" || extension == ".bat";
}

bool IsSafeBatchPath(const std::string& path) {
    return path.find_first_of("\"%") == std::string::npos;
}

AdvancedActionList::AdvancedActionList(SetupRunState& run, Ports& ports)
    : m_run(run),
      m_ports(ports),
      m_probes(ports),
      m_records(TagFile(ports.system, ports.profile), kSection, 'A', 'H') {}

bool AdvancedActionList::RunAdvancedActions(ActionPass pass) {
    const TagFile tag(m_ports.system, m_ports.profile);
    const int total = tag.ReadCount(kSection);
    if (total == 0) {
        return true;
    }
    bool goOn = true;
    for (std::optional<int> index = m_records.Next(0, total); index && goOn;
         index = m_records.Next(*index + 1, total)) {
        const AdvancedAction action = ReadRecord(tag, *index);
        Report(m_ports, Decision::RecordTakenUp, &action.name, *index);
        goOn = ExecuteAdvancedAction(action, pass);
    }
    if (!goOn) {
        return false;
    }
    const std::string splash = tag.Read("SPLASH", "B0", TagFile::kListCapacity);
    if (!splash.empty()) {
        Report(m_ports, Decision::PassAskedBySplash, &splash);
        m_run.m_nRunAfterComplete = kSetBit;
    }
    return true;
}

// The fields in the order of their key letters, A to H.
AdvancedAction AdvancedActionList::ReadRecord(const TagFile& tag, int index) const {
    static constexpr std::string AdvancedAction::*kFields[] = {
        &AdvancedAction::name,       &AdvancedAction::type,       &AdvancedAction::subject,
        &AdvancedAction::thenAction, &AdvancedAction::completion, &AdvancedAction::timing,
        &AdvancedAction::argument,   &AdvancedAction::parameters};
    AdvancedAction action;
    char letter = 'A';
    for (std::string AdvancedAction::*field : kFields) {
        action.*field =
            tag.Read(kSection, TagFile::ListKey(letter++, index), TagFile::kListCapacity);
    }
    return action;
}

// Each way through reports what the record's type made of it before it
// acts.
bool AdvancedActionList::ExecuteAdvancedAction(const AdvancedAction& action, ActionPass pass) {
    if (pass == ActionPass::First && action.timing == keywords::kAfterSetupComplete) {
        Report(m_ports, Decision::RecordDeferred, &action.type);
        m_run.m_nRunAfterComplete = kSetBit;
        return true;
    }
    if (const std::optional<bool> holds = TestCondition(action)) {
        Report(m_ports, *holds ? Decision::ConditionHolds : Decision::ConditionDoesNotHold,
               &action.type);
        if (!*holds) {
            return true;
        }
        RunThenAction(action);
        return Complete(action);
    }
    if (action.type == keywords::kShowMessageBox) {
        Report(m_ports, Decision::MessageShown, &action.argument);
        AppMessageBox(m_ports, action.argument);
        return Complete(action);
    }
    if (action.type == keywords::kRunTormivex) {
        Report(m_ports, Decision::UpdaterStarted);
        RunTormivex();
        Report(m_ports, Decision::CompletionIgnored, &action.completion);
        m_records.Forget();
        return true;
    }
    if (action.type == keywords::kRunThirdParty) {
        RunThirdParty(action);
        return Complete(action);
    }
    if (action.type == keywords::kRunThirdPartyAndWait) {
        const std::string path = ThirdPartyPath(action);
        Report(m_ports, Decision::ProgramStartedAndWaitedFor, &path);
        RunProgramAndWait(m_ports.processes, path, action.parameters);
        return Complete(action);
    }
    Report(m_ports, Decision::NoTypeMatched, &action.type);
    return true;
}

// Nothing when the record is not a condition; otherwise whether it holds.
// The types are compared in the list's own order.
std::optional<bool> AdvancedActionList::TestCondition(const AdvancedAction& action) {
    const std::string& type = action.type;
    if (type == keywords::kIfRunning) {
        return m_probes.IsProgramRunning(action.subject);
    }
    if (type == keywords::kIfInstalled) {
        return m_probes.IsProgramInstalled(action.subject);
    }
    if (type == keywords::kIfNotInstalled) {
        return !m_probes.IsProgramInstalled(action.subject);
    }
    if (type == keywords::kIfFileExists) {
        return m_probes.FileExists(ExpandFolderMacros(m_run, m_ports.system, action.subject));
    }
    if (type == keywords::kIfNoDotNet) {
        return !m_probes.IsDotNetPresent();
    }
    if (type == keywords::kIfWindows95) {
        return m_probes.GetWindows9xVersion() == 95;
    }
    if (type == keywords::kIfWindows98) {
        return m_probes.GetWindows9xVersion() == 98;
    }
    return std::nullopt;
}

void AdvancedActionList::RunThenAction(const AdvancedAction& action) {
    if (action.thenAction == keywords::kCloseProgram) {
        m_probes.CloseProgram(action.subject);
    } else if (action.thenAction == keywords::kRunProgram) {
        Report(m_ports, Decision::ThenProgramStarted, &action.argument);
        m_ports.processes.ShellExecuteProgram(action.argument, "", SW_SHOWDEFAULT);
    } else if (action.thenAction == keywords::kShowMessageBox) {
        Report(m_ports, Decision::ThenMessageShown, &action.argument);
        AppMessageBox(m_ports, action.argument);
    } else {
        Report(m_ports, Decision::NoThenActionMatched, &action.thenAction);
    }
}

// The program is always taken from the setup folder, whatever folder the
// argument names. The separator is added even at a drive root: Windows
// reads the doubled one as one.
std::string AdvancedActionList::ThirdPartyPath(const AdvancedAction& action) const {
    return m_ports.system.CurrentDirectory() + "\\" + FileNamePart(m_ports.system, action.argument);
}

// A batch file runs through the system folder's cmd.exe, named in full: a
// cmd.exe in the setup folder would come first in the search, and the
// setup is likely to run elevated. With /s cmd.exe takes off exactly the
// outer pair of quotes, so a folder such as "Tom & Jerry (v2)" stays one
// path.
void AdvancedActionList::RunThirdParty(const AdvancedAction& action) {
    const std::string path = ThirdPartyPath(action);
    if (IsBatchFile(path)) {
        if (!IsSafeBatchPath(path)) {
            Report(m_ports, Decision::BatchFileRefused, &path);
            return;
        }
        Report(m_ports, Decision::BatchFileStarted, &path);
        const std::string shell =
            WithTrailingSeparator(m_ports.system, m_ports.system.SystemDirectory()) + "cmd.exe";
        m_ports.processes.WinExec("\"" + shell + "\" /s /c \"\"" + path + "\"\"", SW_SHOWNORMAL);
    } else {
        Report(m_ports, Decision::ProgramStarted, &path);
        m_ports.processes.ShellExecuteProgram(path, action.parameters, SW_SHOWDEFAULT);
    }
}

void AdvancedActionList::RunTormivex() {
    m_ports.processes.ShellExecuteProgram(
        WithTrailingSeparator(m_ports.system, m_ports.system.TempDirectory()) + "tormivex.exe", "",
        SW_SHOWDEFAULT);
}

// Whatever a record did may have changed the tag file, so the numbers of
// the records present are read again before the next one.
bool AdvancedActionList::Complete(const AdvancedAction& action) {
    m_records.Forget();
    return ApplyCompletionChoice(m_ports, action.completion);
}

bool RunAdvancedActions(SetupRunState& run, Ports& ports, ActionPass pass) {
    return AdvancedActionList(run, ports).RunAdvancedActions(pass);
}

}  // namespace kestavo
