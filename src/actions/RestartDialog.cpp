#include "actions/RestartDialog.h"

#include "resources/resource.h"

namespace kestavo {

RestartDialog::RestartDialog(IDialogHost& host) : Dialog(host, IDD_RESTART) {}

}  // namespace kestavo
