#include "core/Globals.h"

namespace kestavo {

Handle g_hInstallerWnd = kNullHandle;
std::atomic<int> g_nSplashDone{0};
std::string g_strBackgroundTitle;
std::string g_strBackgroundText;
std::string g_strBackgroundTopColor;
std::string g_strBackgroundBottomColor;
std::string g_strBackgroundPicture;

}  // namespace kestavo
