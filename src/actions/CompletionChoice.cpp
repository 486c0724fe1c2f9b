#include "actions/CompletionChoice.h"

#include "actions/RestartDialog.h"
#include "core/DecisionReport.h"
#include "core/TagKeywords.h"
#include "framework/AppMessageBox.h"

namespace kestavo {

bool ApplyCompletionChoice(Ports& ports, const std::string& completion) {
    if (completion == keywords::kStopInstallation) {
        Report(ports, Decision::CompletionStops, &completion);
        AppMessageBox(ports, "Can't continue with installation... Aborting.");
        return false;
    }
    if (completion == keywords::kRestartComputer) {
        Report(ports, Decision::CompletionRestarts, &completion);
        RestartDialog restart(ports.dialogs);
        restart.DoModal();
    } else {
        Report(ports, Decision::CompletionNone, &completion);
    }
    return true;
}

}  // namespace kestavo
