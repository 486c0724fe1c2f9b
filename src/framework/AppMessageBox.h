#pragma once

#include <string>

#include "platform/Ports.h"

namespace kestavo {

// The framework's standard message box: the text, an OK button, the
// exclamation icon and the program's name as caption.
int AppMessageBox(Ports& ports, const std::string& text);

}  // namespace kestavo
