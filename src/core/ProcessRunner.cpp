#include "core/ProcessRunner.h"

namespace kestavo {

int WaitForProcess(IProcessPort& processes, Handle process) {
    for (;;) {
        const unsigned woken = processes.MsgWaitForObject(process);
        if (woken == IProcessPort::kWaitSignalled) {
            return 1;
        }
        if (woken != IProcessPort::kWaitInput) {
            return 0;
        }
        while (processes.DispatchOneMessage()) {
            if (processes.WaitForObject(process, 0)) {
                return 1;
            }
        }
    }
}

// After a failed wait the child may still be running: its exit code would
// read STILL_ACTIVE (259), which is no answer.
std::optional<unsigned long> WaitAndClose(IProcessPort& processes, const ProcessInfo& child) {
    unsigned long code = 0;
    const bool known =
        WaitForProcess(processes, child.process) == 1 && processes.ExitCode(child.process, code);
    processes.CloseHandle(child.process);
    processes.CloseHandle(child.thread);
    return known ? std::optional<unsigned long>(code) : std::nullopt;
}

bool FitsCommandBuffer(const std::string& text) {
    return text.size() < kCommandBufferCapacity;
}

bool FitsCreateProcess(const std::string& applicationName, const std::string& commandLine) {
    return applicationName.size() < kMaxPath && commandLine.size() < kCreateProcessCapacity;
}

std::optional<unsigned long> RunProgramAndWait(IProcessPort& processes,
                                               const std::string& programFile,
                                               const std::string& parameters) {
    if (!FitsCommandBuffer(programFile) || !FitsCommandBuffer(parameters)) {
        return std::nullopt;
    }
    const ProcessInfo child = processes.StartProcess(programFile, parameters);
    if (child.process == kNullHandle) {
        return std::nullopt;
    }
    return WaitAndClose(processes, child);
}

Handle FindProcessWindow(const std::vector<TopLevelWindow>& windows, unsigned long processId) {
    for (const TopLevelWindow& window : windows) {
        if (window.processId == processId && !window.title.empty()) {
            return window.handle;
        }
    }
    return kNullHandle;
}

}  // namespace kestavo
