#pragma once

#include <string>

namespace kestavo {

class SetupProgressDialog;

// Replaces the names of well-known folders in a vendor's path by the
// machine's folders from the dialog's folder table. A text with a "<" uses
// the bracketed names ("<Program Files>"), any other the bare ones.
std::string ExpandFolderMacros(const SetupProgressDialog& dialog, const std::string& text);

}  // namespace kestavo
