#pragma once

#include <string>

#include "platform/Types.h"

namespace kestavo {

// A child process as the kernel hands it back: both handles are the
// caller's to close. A process that could not be created has none.
struct ProcessInfo {
    Handle process = kNullHandle;
    Handle thread = kNullHandle;
    unsigned long processId = 0;
};

// Starting child processes, waiting for them and for the calling thread's
// messages, and reading how they ended.
class IProcessPort {
public:
    virtual ~IProcessPort() = default;

    // CreateProcessA with handle inheritance, DETACHED_PROCESS and
    // NORMAL_PRIORITY_CLASS, the caller's environment and current folder.
    // An empty application name passes none: the program is then the
    // command line's first token.
    virtual ProcessInfo StartProcess(const std::string& applicationName,
                                     const std::string& commandLine) = 0;
    // ShellExecuteA with the default verb and no folder; not waited for.
    virtual void ShellExecuteProgram(const std::string& file, const std::string& parameters,
                                     int showCommand) = 0;
    // WinExec; not waited for.
    virtual void WinExec(const std::string& commandLine, int showCommand) = 0;
    // ShellExecuteExA with SEE_MASK_NOCLOSEPROCESS, the default verb, no
    // folder and SW_SHOW: the process handle, or null when nothing started.
    virtual Handle ShellExecuteProcess(const std::string& file, const std::string& parameters) = 0;

    // WaitForSingleObject: true when the object is signalled in time.
    virtual bool WaitForObject(Handle object, unsigned timeoutMs) = 0;
    // MsgWaitForMultipleObjects on one handle, no time limit, wake mask
    // QS_ALLINPUT: kWaitSignalled, kWaitInput, or anything else on failure.
    virtual unsigned MsgWaitForObject(Handle object) = 0;
    // Removes one waiting message of the thread, translates and dispatches
    // it; false when none was waiting.
    virtual bool DispatchOneMessage() = 0;
    virtual void Sleep(unsigned ms) = 0;

    // GetExitCodeProcess: false when it cannot be read.
    virtual bool ExitCode(Handle process, unsigned long& code) = 0;
    virtual void CloseHandle(Handle object) = 0;

    static constexpr unsigned kWaitSignalled = 0;
    static constexpr unsigned kWaitInput = 1;
    static constexpr unsigned kInfinite = 0xFFFFFFFF;
};

}  // namespace kestavo
