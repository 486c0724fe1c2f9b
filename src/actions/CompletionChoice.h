#pragma once

#include <string>

#include "platform/Ports.h"

namespace kestavo {

// Applies a record's completion choice after it has acted. False when the
// choice stopped the installation: the user has been told, and the caller
// abandons the installation.
bool ApplyCompletionChoice(Ports& ports, const std::string& completion);

}  // namespace kestavo
