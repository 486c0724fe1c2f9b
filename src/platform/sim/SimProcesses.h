#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/IProcessPort.h"
#include "platform/IWindowListPort.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimScheduler.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimTrace.h"

namespace kestavo::sim {

// A titled top-level window a program shows some time after it starts,
// until it ends.
struct SimProgramWindow {
    std::string title;
    std::uint64_t afterMs = 0;
    std::string className = "SimWindow";
    // Where it appears on the screen; empty for a window only looked for.
    Rect rect{};
};

// How a program of the simulated machine behaves when started: how long it
// runs, how it ends and which windows it shows meanwhile.
struct SimProgram {
    std::uint64_t runMs = 0;
    unsigned long exitCode = 0;
    std::vector<SimProgramWindow> windows;
    // Waiting for it fails, as for a handle the system will not wait on.
    bool waitFails = false;
    // What it changes on the machine when it ends with success (0, or 3010:
    // done but for a restart), as its end is noticed: an installer puts its
    // files in place.
    std::function<void()> onSuccess{};
};

// A window a program showed, and when.
struct SimShownWindow {
    std::string title;
    Rect rect{};
    std::uint64_t fromMs = 0;
    std::uint64_t untilMs = 0;
};

// Child processes on the simulated machine. Waiting for one blocks the
// waiting thread until its end while the other threads run; a wait that
// pumps messages also wakes for each of its own thread's tasks due before
// then, as the thread's message loop would.
class SimProcesses : public IProcessPort, public IWindowListPort {
public:
    SimProcesses(SimScheduler& scheduler, SimTrace& trace, SimFiles& files, SimSystem& system,
                 SimDesktop& desktop)
        : m_scheduler(scheduler),
          m_trace(trace),
          m_files(files),
          m_system(system),
          m_desktop(desktop) {}

    // A program file that can be started; it is also put on the disk.
    void AddProgram(const std::string& path, SimProgram program);
    // The program and its file are gone.
    void RemoveProgram(const std::string& path);

    ProcessInfo StartProcess(const std::string& applicationName,
                             const std::string& commandLine) override;
    Handle ShellExecuteProcess(const std::string& file, const std::string& parameters) override;
    void ShellExecuteProgram(const std::string& file, const std::string& parameters,
                             int showCommand) override;
    void WinExec(const std::string& commandLine, int showCommand) override;
    bool WaitForObject(Handle object, unsigned timeoutMs) override;
    unsigned MsgWaitForObject(Handle object) override;
    bool DispatchOneMessage() override { return m_scheduler.RunDue(); }
    void Sleep(unsigned ms) override;
    bool ExitCode(Handle process, unsigned long& code) override;
    void CloseHandle(Handle object) override;

    std::vector<TopLevelWindow> EnumTopLevelWindows() override;
    Handle FindWindowByTitle(const std::string& title) override;
    Handle FindWindowByClass(const std::string& className) override;
    // A program's window that is told to quit ends its program at once.
    void PostQuit(Handle window) override;
    void BringToFront(Handle window) override;

    // Windows of programs the setup did not start.
    std::vector<TopLevelWindow> otherWindows;
    std::size_t OpenHandles() const { return m_handles.size(); }
    // Every window with a place that the programs started have shown.
    std::vector<SimShownWindow> WindowsShown() const;

    // What the shell hands to the web browser: an address with a scheme it
    // knows, or one starting "www.".
    static bool IsWebAddress(const std::string& file);

private:
    struct Process {
        unsigned long id = 0;
        std::string path;
        SimProgram program;
        std::uint64_t startMs = 0;
        bool endTraced = false;

        std::uint64_t EndMs() const { return startMs + program.runMs; }
    };

    std::string ResolveProgram(const std::string& applicationName,
                               const std::string& commandLine) const;
    std::string Qualify(const std::string& path) const;
    Process* Start(const std::string& path);
    bool OpensThroughShell(const std::string& file);
    void ShowShellError(const std::string& file);
    Process* ByHandle(Handle object);
    bool Ended(Process& process);
    SimScheduler::Wake BlockUntilEnd(Process& process, bool pumps, std::uint64_t untilMs);
    Handle NewHandle(unsigned long processId);
    void TraceInheritedErrorMode();

    SimScheduler& m_scheduler;
    SimTrace& m_trace;
    SimFiles& m_files;
    SimSystem& m_system;
    SimDesktop& m_desktop;
    std::map<std::string, SimProgram> m_programs;
    std::map<unsigned long, Process> m_processes;
    std::map<Handle, unsigned long> m_handles;
    unsigned long m_nextId = 1000;
    Handle m_nextHandle = 0x4000;
};

}  // namespace kestavo::sim
