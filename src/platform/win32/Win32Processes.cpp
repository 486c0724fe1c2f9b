#include "platform/win32/Win32Processes.h"

#include <windows.h>

#include <shellapi.h>

#include <vector>

namespace kestavo::win32 {

namespace {

// Keys, mouse moves and buttons, posted messages, timers, paint, sent
// messages and hot keys: every kind of input of the Windows 9x era.
constexpr DWORD kWakeOnAllInput = 0xFF;

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char title[256] = {};
    const int titleLength = GetWindowTextA(window, title, static_cast<int>(sizeof title));
    char className[256] = {};
    const int classLength = GetClassNameA(window, className, static_cast<int>(sizeof className));
    reinterpret_cast<std::vector<TopLevelWindow>*>(list)->push_back(TopLevelWindow{
        reinterpret_cast<Handle>(window), processId,
        std::string(title, titleLength > 0 ? static_cast<std::size_t>(titleLength) : 0),
        std::string(className, classLength > 0 ? static_cast<std::size_t>(classLength) : 0)});
    return TRUE;
}

}  // namespace

ProcessInfo Win32Processes::StartProcess(const std::string& applicationName,
                                         const std::string& commandLine) {
    // CreateProcessA may write to the command line it is given.
    std::vector<char> command(commandLine.begin(), commandLine.end());
    command.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    if (!CreateProcessA(applicationName.empty() ? nullptr : applicationName.c_str(), command.data(),
                        nullptr, nullptr, TRUE, DETACHED_PROCESS | NORMAL_PRIORITY_CLASS, nullptr,
                        nullptr, &startup, &child)) {
        return {};
    }
    return ProcessInfo{reinterpret_cast<Handle>(child.hProcess),
                       reinterpret_cast<Handle>(child.hThread), child.dwProcessId};
}

Handle Win32Processes::ShellExecuteProcess(const std::string& file, const std::string& parameters) {
    SHELLEXECUTEINFOA execute{};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_NOCLOSEPROCESS;
    execute.lpFile = file.c_str();
    execute.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    execute.nShow = SW_SHOW;
    if (!ShellExecuteExA(&execute)) {
        return kNullHandle;
    }
    return reinterpret_cast<Handle>(execute.hProcess);
}

void Win32Processes::ShellExecuteProgram(const std::string& file, const std::string& parameters,
                                         int showCommand) {
    ShellExecuteA(nullptr, nullptr, file.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                  nullptr, showCommand);
}

void Win32Processes::WinExec(const std::string& commandLine, int showCommand) {
    ::WinExec(commandLine.c_str(), static_cast<UINT>(showCommand));
}

bool Win32Processes::WaitForObject(Handle object, unsigned timeoutMs) {
    return WaitForSingleObject(reinterpret_cast<HANDLE>(object), timeoutMs) == WAIT_OBJECT_0;
}

unsigned Win32Processes::MsgWaitForObject(Handle object) {
    const HANDLE handle = reinterpret_cast<HANDLE>(object);
    return MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, kWakeOnAllInput);
}

bool Win32Processes::DispatchOneMessage() {
    MSG message{};
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        return false;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}

void Win32Processes::Sleep(unsigned ms) {
    ::Sleep(ms);
}

bool Win32Processes::ExitCode(Handle process, unsigned long& code) {
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(reinterpret_cast<HANDLE>(process), &exitCode)) {
        return false;
    }
    code = exitCode;
    return true;
}

void Win32Processes::CloseHandle(Handle object) {
    if (object != kNullHandle) {
        ::CloseHandle(reinterpret_cast<HANDLE>(object));
    }
}

std::vector<TopLevelWindow> Win32Processes::EnumTopLevelWindows() {
    std::vector<TopLevelWindow> windows;
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

Handle Win32Processes::FindWindowByTitle(const std::string& title) {
    return reinterpret_cast<Handle>(FindWindowA(nullptr, title.c_str()));
}

Handle Win32Processes::FindWindowByClass(const std::string& className) {
    return reinterpret_cast<Handle>(FindWindowA(className.c_str(), nullptr));
}

void Win32Processes::PostQuit(Handle window) {
    PostMessageA(reinterpret_cast<HWND>(window), WM_QUIT, 0, 0);
}

void Win32Processes::BringToFront(Handle window) {
    const HWND target = reinterpret_cast<HWND>(window);
    RECT rect{};
    GetWindowRect(target, &rect);
    SetWindowPos(target, HWND_TOP, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_SHOWWINDOW);
    ShowWindow(target, SW_SHOW);
}

}  // namespace kestavo::win32
