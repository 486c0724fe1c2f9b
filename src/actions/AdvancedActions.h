#pragma once

#include <optional>
#include <string>

#include "actions/AdvancedAction.h"
#include "actions/SystemProbes.h"
#include "core/SetupRunState.h"
#include "core/TagFile.h"
#include "core/TagRecords.h"
#include "platform/Ports.h"

namespace kestavo {

enum class ActionPass { First, PostCompletion };

// The vendor's list of conditional actions, section ADVACTIONSKV of the tag
// file, run in the first pass before the package and in the
// post-completion pass after it.
class AdvancedActionList {
public:
    AdvancedActionList(SetupRunState& run, Ports& ports);

    // One pass over the list. False when a choice has stopped the
    // installation, which the caller then abandons.
    bool RunAdvancedActions(ActionPass pass);
    // One record: true to go on, false when the installation was abandoned.
    bool ExecuteAdvancedAction(const AdvancedAction& action, ActionPass pass);

private:
    AdvancedAction ReadRecord(const TagFile& tag, int index) const;
    std::optional<bool> TestCondition(const AdvancedAction& action);
    void RunThenAction(const AdvancedAction& action);
    std::string ThirdPartyPath(const AdvancedAction& action) const;
    void RunThirdParty(const AdvancedAction& action);
    void RunTormivex();
    bool Complete(const AdvancedAction& action);

    SetupRunState& m_run;
    Ports& m_ports;
    SystemProbes m_probes;
    // Listed again after every record that acted.
    TagRecords m_records;
};

// Whether "Run 3rd party software" runs the program as a batch file, through
// cmd.exe and without its parameters: the extension exactly ".bat" or
// ".BAT", no other mixture of cases.
bool IsBatchFile(const std::string& path);

// Whether cmd.exe may be handed a batch file's path: a quote could close
// the quoted path and run another command, and a percent sign would be
// expanded as a variable, quotes or not. Such a batch file is never run.
bool IsSafeBatchPath(const std::string& path);

// Runs one pass of the action list.
bool RunAdvancedActions(SetupRunState& run, Ports& ports, ActionPass pass);

}  // namespace kestavo
