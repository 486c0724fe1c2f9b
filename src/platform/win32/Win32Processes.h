#pragma once

#include <string>
#include <vector>

#include "platform/IProcessPort.h"
#include "platform/IWindowListPort.h"

namespace kestavo::win32 {

// Child processes, waits and the desktop's top-level windows.
class Win32Processes : public IProcessPort, public IWindowListPort {
public:
    ProcessInfo StartProcess(const std::string& applicationName,
                             const std::string& commandLine) override;
    Handle ShellExecuteProcess(const std::string& file, const std::string& parameters) override;
    void ShellExecuteProgram(const std::string& file, const std::string& parameters,
                             int showCommand) override;
    void WinExec(const std::string& commandLine, int showCommand) override;
    bool WaitForObject(Handle object, unsigned timeoutMs) override;
    unsigned MsgWaitForObject(Handle object) override;
    bool DispatchOneMessage() override;
    void Sleep(unsigned ms) override;
    bool ExitCode(Handle process, unsigned long& code) override;
    void CloseHandle(Handle object) override;

    std::vector<TopLevelWindow> EnumTopLevelWindows() override;
    Handle FindWindowByTitle(const std::string& title) override;
    Handle FindWindowByClass(const std::string& className) override;
    void PostQuit(Handle window) override;
    void BringToFront(Handle window) override;
};

}  // namespace kestavo::win32
