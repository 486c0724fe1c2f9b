#pragma once

#include "platform/IStartupPort.h"

namespace kestavo {

// What the process settles before anything can load a library: a heap that
// ends the process once it finds itself corrupted, and a library search
// that takes nothing from the setup folder or the current folder.
void HardenProcess(IStartupPort& startup);

}  // namespace kestavo
