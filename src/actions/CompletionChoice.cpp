#include "actions/CompletionChoice.h"

#include "actions/RestartDialog.h"
#include "core/TagKeywords.h"
#include "framework/AppMessageBox.h"

namespace kestavo {

bool ApplyCompletionChoice(Ports& ports, const std::string& completion) {
    if (completion == keywords::kStopInstallation) {
        AppMessageBox(ports, "Can't continue with installation... Aborting.");
        return false;
    }
    if (completion == keywords::kRestartComputer) {
        RestartDialog restart(ports.dialogs);
        restart.DoModal();
    }
    return true;
}

}  // namespace kestavo
