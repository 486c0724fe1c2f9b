#pragma once

#include <string>

#include "platform/ISystemPort.h"

namespace kestavo {

class SetupProgressDialog;

// Replaces the names of well-known folders in a vendor's path by the
// machine's folders from the dialog's folder table. A text with a "<" uses
// the bracketed names ("<Program Files>"), any other the bare ones. One
// trailing backslash of the text is dropped first.
std::string ExpandFolderMacros(const SetupProgressDialog& dialog, ISystemPort& system,
                               const std::string& text);

}  // namespace kestavo
