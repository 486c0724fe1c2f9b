#pragma once

#include <atomic>

#include "platform/Types.h"

namespace kestavo {

// The installer's top-level window, found while msiexec.exe runs; null
// until then. Main thread only.
extern Handle g_hInstallerWnd;

// 255 once the splash window has ended. Written once by the splash thread,
// polled by the main thread's timer.
extern std::atomic<int> g_nSplashDone;

}  // namespace kestavo
