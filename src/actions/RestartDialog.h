#pragma once

#include "framework/Dialog.h"

namespace kestavo {

// The dialog shown for "Restart Computer": OK and Cancel both just close
// it, and nothing restarts.
class RestartDialog : public Dialog {
public:
    explicit RestartDialog(IDialogHost& host);
};

}  // namespace kestavo
