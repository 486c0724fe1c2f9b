#include "driver/ProcessRunner.h"

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

std::optional<unsigned long> WaitAndClose(IProcessPort& processes, const ProcessInfo& child) {
    WaitForProcess(processes, child.process);
    unsigned long code = 0;
    const bool known = processes.ExitCode(child.process, code);
    processes.CloseHandle(child.process);
    processes.CloseHandle(child.thread);
    return known ? std::optional<unsigned long>(code) : std::nullopt;
}

bool FitsCommandBuffer(const std::string& text) {
    return text.size() < kCommandBufferCapacity;
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
