// windowhost: stands for another vendor's program that the setup looks for
// and may close. It shows one top-level window and runs a message loop.
//
//   windowhost TITLE CLASS LOGFILE
//
// The window has the title TITLE and the window class CLASS. When the loop
// ends through WM_QUIT, it appends "WM_QUIT wParam=W lParam=L" to LOGFILE
// and exits. Closing the window (WM_CLOSE) destroys it but does not end the
// loop, so a line in the log means a WM_QUIT and nothing else. Exit code 2
// on bad usage, 1 when the window could not be made.

#include <windows.h>

#include <cstdio>

namespace {

bool ShowHostWindow(const wchar_t* title, const wchar_t* className) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className;
    if (!RegisterClassW(&windowClass)) {
        return false;
    }
    HWND window = CreateWindowW(className, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 320,
                                120, nullptr, nullptr, windowClass.hInstance, nullptr);
    return window != nullptr;
}

void LogQuit(const wchar_t* logFile, const MSG& quit) {
    FILE* log = _wfopen(logFile, L"a");
    if (!log) {
        return;
    }
    std::fprintf(log, "WM_QUIT wParam=%lu lParam=%ld\n", static_cast<unsigned long>(quit.wParam),
                 static_cast<long>(quit.lParam));
    std::fclose(log);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fputs("usage: windowhost TITLE CLASS LOGFILE\n", stderr);
        return 2;
    }
    if (!ShowHostWindow(argv[1], argv[2])) {
        return 1;
    }
    MSG message = {};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (message.message != WM_QUIT) {
        return 1;
    }
    LogQuit(argv[3], message);
    return 0;
}
