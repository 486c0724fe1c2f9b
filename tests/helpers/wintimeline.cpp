// wintimeline: watches the desktop's top-level windows over time, for the
// tests of windows that come and go by themselves (splash, billboards), and
// stands for another program that the user turned to meanwhile.
//
//   wintimeline watch SECONDS   every 20 ms, looks at the visible top-level
//                               windows; each time their list, order, titles
//                               or rectangles change, prints one JSON line:
//                               {"time": Unix seconds, "windows": [...],
//                               "foreground": hwnd}, the windows from the top
//                               of the z-order down
//   wintimeline bystander TITLE SECONDS
//                               shows a small window titled TITLE at the top
//                               right of the screen, active, for SECONDS
//
// Exit code 0 on success, 1 when the window cannot be made, 2 on bad usage.

#include <windows.h>

#include "JsonText.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const DWORD kPollIntervalMs = 20;
// 100-ns intervals between 1601-01-01 and 1970-01-01.
const unsigned long long kUnixEpoch = 116444736000000000ULL;

std::string Json(const RECT& rect) {
    char text[64];
    std::snprintf(text, sizeof text, "[%ld,%ld,%ld,%ld]", rect.left, rect.top, rect.right,
                  rect.bottom);
    return text;
}

std::string UnixTime() {
    FILETIME now = {};
    GetSystemTimeAsFileTime(&now);
    const unsigned long long ticks =
        (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", static_cast<double>(ticks - kUnixEpoch) / 1e7);
    return text;
}

BOOL CALLBACK Collect(HWND window, LPARAM found) {
    if (IsWindowVisible(window)) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    }
    return TRUE;
}

std::vector<HWND> VisibleTopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// GetWindowText reads another process's titles from the system's own copy
// without a message, so a window whose thread is busy holds nothing up.
std::string WindowJson(HWND window) {
    char title[256] = "";
    char className[256] = "";
    GetWindowTextA(window, title, sizeof title);
    GetClassNameA(window, className, sizeof className);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    RECT rect = {};
    GetWindowRect(window, &rect);
    RECT client = {};
    GetClientRect(window, &client);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    return "{\"hwnd\":" + std::to_string(reinterpret_cast<UINT_PTR>(window)) +
           ",\"pid\":" + std::to_string(processId) + ",\"title\":" + JsonQuote(title) +
           ",\"class\":" + JsonQuote(className) + ",\"rect\":" + Json(rect) +
           ",\"client\":" + Json(client) +
           ",\"style\":" + std::to_string(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE))) +
           ",\"exstyle\":" +
           std::to_string(static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE))) + "}";
}

// The windows and the foreground window, as the fields of a JSON object.
std::string Snapshot() {
    std::string list;
    for (HWND window : VisibleTopLevelWindows()) {
        list += (list.empty() ? "" : ",") + WindowJson(window);
    }
    return "\"windows\":[" + list +
           "],\"foreground\":" + std::to_string(reinterpret_cast<UINT_PTR>(GetForegroundWindow()));
}

int Watch(double seconds) {
    const DWORD start = GetTickCount();
    std::string last;
    while (GetTickCount() - start < seconds * 1000) {
        const std::string snapshot = Snapshot();
        if (snapshot != last) {
            std::printf("{\"time\":%s,%s}\n", UnixTime().c_str(), snapshot.c_str());
            std::fflush(stdout);
            last = snapshot;
        }
        Sleep(kPollIntervalMs);
    }
    return 0;
}

// Keeps the window painted and answering while it stands.
int Bystander(const std::string& title, double seconds) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "WinTimelineBystander";
    RegisterClassA(&windowClass);
    const int width = 200;
    const HWND window = CreateWindowExA(0, windowClass.lpszClassName, title.c_str(),
                                        WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                        GetSystemMetrics(SM_CXSCREEN) - width - 20, 20, width, 80,
                                        nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    SetForegroundWindow(window);
    const DWORD start = GetTickCount();
    for (DWORD passed = 0; passed < seconds * 1000; passed = GetTickCount() - start) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(seconds * 1000) - passed,
                                  QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "watch" && argc == 3) {
        return Watch(std::strtod(argv[2], nullptr));
    }
    if (command == "bystander" && argc == 4) {
        return Bystander(argv[2], std::strtod(argv[3], nullptr));
    }
    std::fprintf(stderr, "usage: wintimeline watch SECONDS | bystander TITLE SECONDS\n");
    return 2;
}
