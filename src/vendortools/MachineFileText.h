#pragma once

#include <string>
#include <vector>

#include "platform/ISystemReadPort.h"
#include "vendortools/MachineProfile.h"

namespace kestavo::vendortools {

// The system as a machine file names it: "NT 10.0", "9x 4.10".
std::string SystemText(const ISystemReadPort::OsVersion& version);
// The built-in machine nearest the system, for a machine file's base.
std::string NearestBuiltIn(const ISystemReadPort::OsVersion& version);

// A machine file holding the machine's answers, as MachineProfile::FromFile
// reads them back: its system, installer runtime, language, code page,
// folders, registry views and screen, the shell's folders it knows, its
// uninstall entries, open windows, files and registry values. How programs
// run and how the user answers are left to the machine it is replayed on.
// The header's lines come first, each as a line the reader passes over; an
// entry the format cannot hold (a name with "=", or that starts with "[" or
// is empty) is named in the header instead. Lines end with CR LF.
std::string MachineFileText(const MachineProfile& machine, const std::vector<std::string>& header);

}  // namespace kestavo::vendortools
