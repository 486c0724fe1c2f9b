// recorder: a stand-in for the programs that setup.exe runs (msiexec.exe,
// InstMsiA.exe, switch.exe, the vendor's own programs). It writes who ran,
// how and when to a log, then behaves as the test configured it.
//
// The log is the file named by SETUP_RECORDER_LOG. Each run appends two JSON
// lines, "start" and "end", each with the program's full path, its command
// line exactly as Windows gives it, its current folder, a timestamp in Unix
// seconds, the processor time its parent's threads have used so far, and
// the answers to the configured questions.
//
// A copy is configured by environment variables named after its own file,
// so that one copy behaves differently from another: for msiexec.exe
//
//   RECORDER_MSIEXEC_EXIT    exit code (decimal; default 0)
//   RECORDER_MSIEXEC_WAIT    milliseconds to wait before ending
//   RECORDER_MSIEXEC_SHOW    title of a top-level window shown while waiting
//   RECORDER_MSIEXEC_FILE    a file: each line tells whether it exists
//   RECORDER_MSIEXEC_SEEK    a window title: each line tells whether such a
//                            top-level window is visible
//
// Children inherit the environment of setup.exe, which inherits the test's.

#include <windows.h>

#include "JsonText.h"

#include <tlhelp32.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char kLogVariable[] = "SETUP_RECORDER_LOG";
const char kWindowClass[] = "RecorderWindow";
// 100-ns intervals between 1601-01-01 and 1970-01-01.
const unsigned long long kUnixEpoch = 116444736000000000ULL;

std::string Environment(const std::string& name) {
    char value[1024] = "";
    const DWORD length = GetEnvironmentVariableA(name.c_str(), value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

std::string OwnPath() {
    char path[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
}

// "C:\x\InstMsiA.exe" gives "RECORDER_INSTMSIA_".
std::string SettingPrefix(const std::string& path) {
    std::string name = path.substr(path.find_last_of("\\/") + 1);
    name = name.substr(0, name.find_last_of('.'));
    for (char& c : name) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return "RECORDER_" + name + "_";
}

std::string CurrentFolder() {
    char folder[MAX_PATH] = "";
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
    return std::string(folder, length < MAX_PATH ? length : 0);
}

unsigned long long Ticks(const FILETIME& time) {
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

std::string Seconds(unsigned long long ticks) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", static_cast<double>(ticks) / 1e7);
    return text;
}

std::string UnixTime() {
    FILETIME now = {};
    GetSystemTimeAsFileTime(&now);
    return Seconds(Ticks(now) - kUnixEpoch);
}

DWORD ParentId() {
    const DWORD self = GetCurrentProcessId();
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return 0;
    }
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    DWORD parent = 0;
    for (BOOL more = Process32First(snapshot, &entry); more && !parent;
         more = Process32Next(snapshot, &entry)) {
        if (entry.th32ProcessID == self) {
            parent = entry.th32ParentProcessID;
        }
    }
    CloseHandle(snapshot);
    return parent;
}

// The user and kernel time of the parent's threads, so that a stand-in for
// a long-running installer shows how busy its waiting parent is meanwhile.
// Summed over the threads because Wine answers GetProcessTimes for another
// process with the caller's own times, but reads each thread's true times.
std::string ParentProcessorTime(DWORD parent) {
    HANDLE snapshot =
        parent ? CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0) : INVALID_HANDLE_VALUE;
    if (snapshot == INVALID_HANDLE_VALUE) {
        return "null";
    }
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    unsigned long long ticks = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != parent) {
            continue;
        }
        HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
        FILETIME created = {}, ended = {}, kernel = {}, user = {};
        if (thread && GetThreadTimes(thread, &created, &ended, &kernel, &user)) {
            ticks += Ticks(kernel) + Ticks(user);
        }
        if (thread) {
            CloseHandle(thread);
        }
    }
    CloseHandle(snapshot);
    return Seconds(ticks);
}

std::string FileAnswer(const std::string& path) {
    if (path.empty()) {
        return "null";
    }
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES ? "true" : "false";
}

std::string WindowAnswer(const std::string& title) {
    if (title.empty()) {
        return "null";
    }
    HWND window = FindWindowA(nullptr, title.c_str());
    return window && IsWindowVisible(window) ? "true" : "false";
}

class Recorder {
public:
    Recorder() : m_path(OwnPath()), m_prefix(SettingPrefix(m_path)), m_parent(ParentId()) {}

    std::string Setting(const char* name) const { return Environment(m_prefix + name); }

    void Log(const char* event) const {
        const std::string line =
            "{\"event\":" + JsonQuote(event) + ",\"path\":" + JsonQuote(m_path) +
            ",\"command_line\":" + JsonQuote(GetCommandLineA()) +
            ",\"folder\":" + JsonQuote(CurrentFolder()) + ",\"time\":" + UnixTime() +
            ",\"parent_cpu\":" + ParentProcessorTime(m_parent) +
            ",\"file_exists\":" + FileAnswer(Setting("FILE")) +
            ",\"window_present\":" + WindowAnswer(Setting("SEEK")) + "}\n";
        const std::string log = Environment(kLogVariable);
        HANDLE file = CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return;
        }
        DWORD written = 0;
        WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        CloseHandle(file);
    }

private:
    std::string m_path;
    std::string m_prefix;
    DWORD m_parent;
};

void ShowTitledWindow(HINSTANCE instance, const std::string& title) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, kWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW, 100, 100,
                                  320, 160, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
}

// Waits while keeping a shown window painted and responsive.
void Wait(DWORD ms) {
    const DWORD start = GetTickCount();
    for (DWORD passed = 0; passed < ms; passed = GetTickCount() - start) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - passed, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const Recorder recorder;
    recorder.Log("start");
    const std::string title = recorder.Setting("SHOW");
    if (!title.empty()) {
        ShowTitledWindow(instance, title);
    }
    Wait(std::strtoul(recorder.Setting("WAIT").c_str(), nullptr, 10));
    recorder.Log("end");
    return static_cast<int>(std::strtoul(recorder.Setting("EXIT").c_str(), nullptr, 10));
}
