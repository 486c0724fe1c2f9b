// Times one full erase of the background window: the program's own
// CMainFrame over the Windows adapter, shown maximised without caption as
// the installation shows it, erased again and again through WM_ERASEBKGND.
// Prints the client size and the median, fastest and slowest erase.
//
//   bench-background-erase [RUNS]
//
// Run from a setup folder whose kestavo.tag has a [BACKGROUND] section;
// devscripts/bench-background-erase.sh builds it and makes that folder.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/win32/Win32Machine.h"
#include "presentation/CMainFrame.h"

namespace {

void DispatchPending() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&message);
    }
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

// One erase, sent at once by RedrawWindow; the paint that would follow is
// not part of it, so the window is validated afterwards.
double TimeOneErase(HWND window) {
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&start);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
    GdiFlush();
    QueryPerformanceCounter(&end);
    ValidateRect(window, nullptr);
    DispatchPending();
    return Milliseconds(start, end);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    kestavo::win32::Win32Machine machine(GetModuleHandleA(nullptr));
    kestavo::CMainFrame frame(machine.GetPorts());
    kestavo::IFrameWindow& window = frame.Window();
    window.RemoveStyle(WS_CAPTION);
    window.AddExStyle(WS_EX_APPWINDOW | WS_EX_TOPMOST);
    window.Show(SW_SHOWMAXIMIZED);
    window.RemoveMenu();
    window.Update();
    DispatchPending();

    const HWND handle = reinterpret_cast<HWND>(window.Get());
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        times.push_back(TimeOneErase(handle));
    }
    std::sort(times.begin(), times.end());
    const kestavo::Rect client = window.ClientRect();
    std::printf("client %dx%d, %d erases: median %.2f ms, fastest %.2f ms, slowest %.2f ms\n",
                client.Width(), client.Height(), runs, times[times.size() / 2], times.front(),
                times.back());
    return 0;
}
