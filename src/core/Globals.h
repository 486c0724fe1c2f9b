#pragma once

#include <atomic>
#include <string>

#include "platform/Types.h"

namespace kestavo {

// The installer's top-level window, found while msiexec.exe runs; null
// until then. Main thread only.
extern Handle g_hInstallerWnd;

// The background window's keys 1 to 5: title, second text, top colour,
// bottom colour and picture, read when the window is made.
extern std::string g_strBackgroundTitle;
extern std::string g_strBackgroundText;
extern std::string g_strBackgroundTopColor;
extern std::string g_strBackgroundBottomColor;
extern std::string g_strBackgroundPicture;

// 255 once the splash window has ended. Written once by the splash thread,
// polled by the main thread's timer.
extern std::atomic<int> g_nSplashDone;

}  // namespace kestavo
