#pragma once

#include <string>

#include "platform/Ports.h"

namespace kestavo {

class SetupProgressDialog;

// Applies a record's completion choice after it has acted. False when the
// choice stopped the installation: the user has been told and the dialog
// has been ended with the cancel result.
bool ApplyCompletionChoice(SetupProgressDialog& dialog, Ports& ports,
                           const std::string& completion);

}  // namespace kestavo
