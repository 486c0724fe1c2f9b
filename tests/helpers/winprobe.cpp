// winprobe: looks at, and acts on, the windows of other programs for the
// end-to-end tests. It prints JSON, one object a line, in UTF-8.
//
//   winprobe screen               the screen size
//   winprobe list                 the visible top-level windows
//   winprobe controls TITLE       the child controls of the window titled TITLE
//   winprobe wait TITLE SECONDS   waits until a window titled TITLE is visible and painted
//   winprobe escape TITLE         brings that window to the front and presses Escape
//   winprobe click TITLE ID       clicks that window's button ID and waits until the window
//                                 has closed
//   winprobe icon TITLE ID        which standard icon that window's static control ID shows
//   winprobe dragicon TITLE       the icon that window answers WM_QUERYDRAGICON with, beside
//                                 its big icon, both asked inside its process
//
// Titles match exactly, case included. Exit code 0 on success, 1 when the
// window is not there (in time) or the action failed, 2 on bad usage.

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "FontProbe.h"

namespace {

const DWORD kMessageTimeoutMs = 5000;
const DWORD kPollIntervalMs = 50;

std::string Utf8(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

std::string Quote(const std::wstring& text) {
    std::string quoted = "\"";
    for (char c : Utf8(text)) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof(escaped), "\\u%04x", c);
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::string Json(const RECT& rect) {
    char text[64];
    std::snprintf(text, sizeof(text), "[%ld,%ld,%ld,%ld]", rect.left, rect.top, rect.right,
                  rect.bottom);
    return text;
}

std::string Json(COLORREF colour) {
    if (colour == CLR_INVALID) {
        return "null";
    }
    char text[16];
    std::snprintf(text, sizeof(text), "\"#%02x%02x%02x\"", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

std::string Json(const LOGFONTW& font) {
    return "{\"face\":" + Quote(font.lfFaceName) + ",\"weight\":" + std::to_string(font.lfWeight) +
           ",\"height\":" + std::to_string(font.lfHeight) + "}";
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = L"";
    GetClassNameW(window, name, 256);
    return name;
}

// Asks the window itself (WM_GETTEXT), as GetWindowText does not for
// another process's controls.
std::wstring TextOf(HWND window) {
    std::vector<wchar_t> text(4096, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kMessageTimeoutMs, &copied);
    return std::wstring(text.data(), copied);
}

RECT ClientOnScreen(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

std::string WindowLine(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    RECT rect = {};
    GetWindowRect(window, &rect);
    const HWND owner = GetWindow(window, GW_OWNER);
    return "{\"hwnd\":" + std::to_string(reinterpret_cast<UINT_PTR>(window)) +
           ",\"pid\":" + std::to_string(processId) + ",\"title\":" + Quote(TextOf(window)) +
           ",\"owner\":" + (owner ? Quote(TextOf(owner)) : std::string("null")) +
           ",\"class\":" + Quote(ClassOf(window)) + ",\"rect\":" + Json(rect) +
           ",\"client\":" + Json(ClientOnScreen(window)) +
           ",\"style\":" + std::to_string(static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE))) +
           ",\"exstyle\":" +
           std::to_string(static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE))) + "}";
}

BOOL CALLBACK Collect(HWND window, LPARAM found) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

std::vector<HWND> VisibleTopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
    std::vector<HWND> visible;
    for (HWND window : windows) {
        if (IsWindowVisible(window)) {
            visible.push_back(window);
        }
    }
    return visible;
}

std::vector<HWND> ChildrenOf(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(window, Collect, reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND FindVisibleWindow(const std::wstring& title) {
    for (HWND window : VisibleTopLevelWindows()) {
        if (TextOf(window) == title) {
            return window;
        }
    }
    return nullptr;
}

// The control's own font (WM_GETFONT) and, for a static control, the font
// and colours it paints with; null where there is no answer.
std::string FontsOf(HWND control, FontProbe& fonts) {
    FontAnswer answer = {};
    bool answered = fonts.Ask(control, &answer);
    std::string font = answered && answer.hasFont ? Json(answer.font) : "null";
    std::string paint = "null";
    if (answered && answer.hasPaint) {
        paint = Json(answer.paintFont);
        paint.pop_back();
        paint +=
            ",\"text\":" + Json(answer.paintText) + ",\"back\":" + Json(answer.paintBack) + "}";
    }
    return ",\"font\":" + font + ",\"paint\":" + paint;
}

std::string ControlLine(HWND control, FontProbe& fonts) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    return "{\"id\":" + std::to_string(GetDlgCtrlID(control)) +
           ",\"class\":" + Quote(ClassOf(control)) + ",\"text\":" + Quote(TextOf(control)) +
           ",\"rect\":" + Json(rect) +
           ",\"style\":" + std::to_string(static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE))) +
           ",\"visible\":" + (IsWindowVisible(control) ? "true" : "false") +
           FontsOf(control, fonts) + "}";
}

void PrintLine(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

int ListWindows() {
    for (HWND window : VisibleTopLevelWindows()) {
        PrintLine(WindowLine(window));
    }
    return 0;
}

int ListControls(const std::wstring& title) {
    HWND window = FindVisibleWindow(title);
    if (!window) {
        return 1;
    }
    FontProbe fonts(window);
    for (HWND control : ChildrenOf(window)) {
        PrintLine(ControlLine(control, fonts));
    }
    return 0;
}

// Painted: neither the window nor any of its controls waits for WM_PAINT,
// so what the screen shows is what the program drew.
bool IsPainted(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) {
        return false;
    }
    for (HWND child : ChildrenOf(window)) {
        if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
            return false;
        }
    }
    return true;
}

int WaitForWindow(const std::wstring& title, double seconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < seconds * 1000) {
        HWND window = FindVisibleWindow(title);
        if (window && IsPainted(window)) {
            PrintLine(WindowLine(window));
            return 0;
        }
        Sleep(kPollIntervalMs);
    }
    return 1;
}

// Under Wine, SetForegroundWindow on another thread's window only asks that
// thread to take the activation; keys sent before it has done so reach no
// window. So wait until the window is active and has a focused control.
bool BringToFront(HWND window) {
    if (!SetForegroundWindow(window)) {
        return false;
    }
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    DWORD start = GetTickCount();
    while (GetTickCount() - start < kMessageTimeoutMs) {
        GUITHREADINFO state = {};
        state.cbSize = sizeof(state);
        if (GetGUIThreadInfo(thread, &state) && state.hwndActive == window && state.hwndFocus) {
            return true;
        }
        Sleep(kPollIntervalMs);
    }
    return false;
}

// The key goes in as hardware input to the foreground window, so that the
// dialog's own keyboard handling (IsDialogMessage: Escape means Cancel)
// sees it exactly as it would see the user's key.
int PressEscape(const std::wstring& title) {
    HWND window = FindVisibleWindow(title);
    if (!window || !BringToFront(window)) {
        return 1;
    }
    INPUT keys[2] = {};
    keys[0].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_ESCAPE;
    keys[1] = keys[0];
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(2, keys, sizeof(INPUT)) == 2 ? 0 : 1;
}

// BM_CLICK makes the button act as if the user clicked it, whether or not
// its window is in front; the dialog then ends itself.
int ClickButton(const std::wstring& title, int id) {
    HWND window = FindVisibleWindow(title);
    HWND button = window ? GetDlgItem(window, id) : nullptr;
    if (!button) {
        return 1;
    }
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &ignored);
    DWORD start = GetTickCount();
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (GetTickCount() - start >= kMessageTimeoutMs) {
            return 1;
        }
        Sleep(kPollIntervalMs);
    }
    return 0;
}

struct StandardIcon {
    const char* name;
    const wchar_t* id;
};

const StandardIcon kStandardIcons[] = {
    {"application", IDI_APPLICATION}, {"hand", IDI_HAND},         {"question", IDI_QUESTION},
    {"exclamation", IDI_EXCLAMATION}, {"asterisk", IDI_ASTERISK}, {"winlogo", IDI_WINLOGO},
};

// A memory DC with a bitmap of its own, like the screen's.
HDC CreateCanvas(HDC screen, int width, int height) {
    HDC canvas = CreateCompatibleDC(screen);
    SelectObject(canvas, CreateCompatibleBitmap(screen, width, height));
    return canvas;
}

void DeleteCanvas(HDC canvas) {
    HGDIOBJ bitmap = GetCurrentObject(canvas, OBJ_BITMAP);
    DeleteDC(canvas);
    DeleteObject(bitmap);
}

// Draws the icon the way a static control draws its icon, over the
// background and stretched to the control, and counts the pixels that
// differ from what the screen shows. The corner of every standard icon is
// transparent, so the screen's corner pixel is the control's background.
int DifferenceFromIcon(HDC shown, HDC drawn, const wchar_t* icon, int width, int height) {
    HBRUSH background = CreateSolidBrush(GetPixel(shown, 0, 0));
    const RECT area = {0, 0, width, height};
    FillRect(drawn, &area, background);
    DeleteObject(background);
    DrawIconEx(drawn, 0, 0, LoadIconW(nullptr, icon), width, height, 0, nullptr, DI_NORMAL);
    int differing = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            differing += GetPixel(shown, x, y) != GetPixel(drawn, x, y);
        }
    }
    return differing;
}

// An icon handle means nothing outside the process that loaded it, so
// which icon a static control shows is read from the screen: the number
// of differing pixels for each standard icon.
int CompareShownIcon(const std::wstring& title, int id) {
    HWND window = FindVisibleWindow(title);
    HWND control = window ? GetDlgItem(window, id) : nullptr;
    if (!control) {
        return 1;
    }
    RECT rect = {};
    GetWindowRect(control, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC shown = CreateCanvas(screen, width, height);
    HDC drawn = CreateCanvas(screen, width, height);
    BitBlt(shown, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    std::string line;
    for (const StandardIcon& icon : kStandardIcons) {
        line += std::string(line.empty() ? "{\"" : ",\"") + icon.name +
                "\":" + std::to_string(DifferenceFromIcon(shown, drawn, icon.id, width, height));
    }
    DeleteCanvas(shown);
    DeleteCanvas(drawn);
    PrintLine(line + "}");
    return 0;
}

int PrintDragIcon(const std::wstring& title) {
    HWND window = FindVisibleWindow(title);
    if (!window) {
        return 1;
    }
    FontProbe probe(window);
    FontAnswer answer = {};
    if (!probe.Ask(window, &answer)) {
        return 1;
    }
    PrintLine("{\"drag_icon\":" + std::to_string(answer.dragIcon) +
              ",\"big_icon\":" + std::to_string(answer.bigIcon) + "}");
    return 0;
}

int PrintScreenSize() {
    PrintLine("{\"screen\":[" + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "," +
              std::to_string(GetSystemMetrics(SM_CYSCREEN)) + "]}");
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"screen" && argc == 2) {
        return PrintScreenSize();
    }
    if (command == L"list" && argc == 2) {
        return ListWindows();
    }
    if (command == L"controls" && argc == 3) {
        return ListControls(argv[2]);
    }
    if (command == L"wait" && argc == 4) {
        return WaitForWindow(argv[2], std::wcstod(argv[3], nullptr));
    }
    if (command == L"escape" && argc == 3) {
        return PressEscape(argv[2]);
    }
    if (command == L"click" && argc == 4) {
        return ClickButton(argv[2], _wtoi(argv[3]));
    }
    if (command == L"icon" && argc == 4) {
        return CompareShownIcon(argv[2], _wtoi(argv[3]));
    }
    if (command == L"dragicon" && argc == 3) {
        return PrintDragIcon(argv[2]);
    }
    std::fputs(
        "usage: winprobe screen | list | controls TITLE | wait TITLE SECONDS | escape TITLE\n"
        "       | click TITLE ID | icon TITLE ID | dragicon TITLE\n",
        stderr);
    return 2;
}
