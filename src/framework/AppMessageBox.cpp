#include "framework/AppMessageBox.h"

#include "platform/WinConst.h"

namespace kestavo {

int AppMessageBox(Ports& ports, const std::string& text) {
    return ports.desktop.ShowMessageBox(text, ports.system.AppName(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace kestavo
