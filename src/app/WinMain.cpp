#include <windows.h>

#include "driver/SetupApp.h"
#include "platform/win32/Win32Machine.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    kestavo::win32::Win32Machine machine(instance);
    kestavo::SetupApp app(machine.GetPorts());
    app.InitInstance();
    return app.ExitCode();
}
