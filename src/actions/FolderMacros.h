#pragma once

#include <string>
#include <vector>

#include "core/SetupRunState.h"
#include "platform/ISystemPort.h"

namespace kestavo {

// Replaces the names of well-known folders in a vendor's path by the
// machine's folders from the run's folder table. A text with a "<" uses
// the bracketed names ("<Program Files>"), any other the bare ones. One
// trailing backslash of the text is dropped first.
// The names of the folder macros, in the order they are replaced.
std::vector<std::string> FolderMacroNames();

// Folders that name later macros could grow the text without bound; a text
// of MAX_PATH characters names no file, so one that reaches that length is
// replaced in no further, and stays too long to name one.
std::string ExpandFolderMacros(const SetupRunState& run, ISystemPort& system,
                               const std::string& text);

}  // namespace kestavo
