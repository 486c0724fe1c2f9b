#include "driver/Globals.h"

namespace kestavo {

Handle g_hInstallerWnd = kNullHandle;
std::atomic<int> g_nSplashDone{0};

}  // namespace kestavo
