#pragma once

#include <optional>

#include "actions/AdvancedAction.h"
#include "actions/SystemProbes.h"
#include "core/TagFile.h"
#include "core/TagRecords.h"
#include "platform/Ports.h"

namespace kestavo {

class SetupProgressDialog;

enum class ActionPass { First, PostCompletion };

// The vendor's list of conditional actions, section ADVACTIONSKV of the tag
// file, run in the first pass before the package and in the
// post-completion pass after it.
class AdvancedActionList {
public:
    AdvancedActionList(SetupProgressDialog& dialog, Ports& ports);

    // One pass over the list. False when a choice has stopped the
    // installation (the dialog has then been ended with the cancel result).
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

    SetupProgressDialog& m_dialog;
    Ports& m_ports;
    SystemProbes m_probes;
    // Listed again after every record that acted.
    TagRecords m_records;
};

// Runs one pass of the dialog's action list.
bool RunAdvancedActions(SetupProgressDialog& dialog, Ports& ports, ActionPass pass);

}  // namespace kestavo
