#include "platform/sim/SimProcesses.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <utility>

#include "platform/WinConst.h"

namespace kestavo::sim {

namespace {

constexpr unsigned kWaitFailed = 0xFFFFFFFF;
constexpr unsigned long kStillActive = 259;

constexpr unsigned long kRestartNeeded = 3010;

bool IsAbsolute(const std::string& path) {
    return (path.size() >= 2 && path[1] == ':') || (!path.empty() && path[0] == '\\');
}

// `prefix` in lower case.
bool HasPrefix(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char p, char t) {
               return p == std::tolower(static_cast<unsigned char>(t));
           });
}

// A file Windows runs as a program when asked to create a process from it.
bool IsProgramFile(const std::string& path) {
    const std::string name = SimFiles::Normalize(path);
    const std::string extension = name.size() > 4 ? name.substr(name.size() - 4) : "";
    return extension == ".exe" || extension == ".com";
}

}  // namespace

bool SimProcesses::IsWebAddress(const std::string& file) {
    for (const char* prefix : {"http://", "https://", "ftp://", "mailto:", "www."}) {
        if (HasPrefix(file, prefix)) {
            return true;
        }
    }
    return false;
}

void SimProcesses::AddProgram(const std::string& path, SimProgram program) {
    m_files.Put(path, "MZ");
    m_programs[SimFiles::Normalize(path)] = std::move(program);
}

void SimProcesses::RemoveProgram(const std::string& path) {
    m_files.Remove(path);
    m_programs.erase(SimFiles::Normalize(path));
}

std::string SimProcesses::Qualify(const std::string& path) const {
    if (path.empty() || IsAbsolute(path)) {
        return path;
    }
    std::string folder = m_system.currentDirectory;
    if (folder.empty() || folder.back() != '\\') {
        folder.push_back('\\');
    }
    return folder + path;
}

// Without an application name Windows takes the command line's first token,
// quoted or up to the first blank, and adds ".exe" when it has no extension.
std::string SimProcesses::ResolveProgram(const std::string& applicationName,
                                         const std::string& commandLine) const {
    if (!applicationName.empty()) {
        return Qualify(applicationName);
    }
    std::string token;
    if (!commandLine.empty() && commandLine[0] == '"') {
        token = commandLine.substr(1, commandLine.find('"', 1) - 1);
    } else {
        token = commandLine.substr(0, commandLine.find(' '));
    }
    const std::string::size_type name = token.find_last_of('\\');
    if (token.find('.', name == std::string::npos ? 0 : name) == std::string::npos) {
        token += ".exe";
    }
    return Qualify(token);
}

// A program file the machine was told nothing about runs, and ends at once
// with 0.
SimProcesses::Process* SimProcesses::Start(const std::string& path) {
    const auto program = m_programs.find(SimFiles::Normalize(path));
    const bool known = program != m_programs.end();
    if (!m_files.Exists(path) || (!known && !IsProgramFile(path))) {
        return nullptr;
    }
    Process process;
    process.id = m_nextId++;
    process.path = path;
    process.program = known ? program->second : SimProgram{};
    process.startMs = m_scheduler.Now();
    return &(m_processes[process.id] = process);
}

Handle SimProcesses::NewHandle(unsigned long processId) {
    const Handle handle = m_nextHandle++;
    m_handles[handle] = processId;
    return handle;
}

ProcessInfo SimProcesses::StartProcess(const std::string& applicationName,
                                       const std::string& commandLine) {
    const std::string description =
        "app=" + applicationName + " cmd=" + commandLine + " dir=" + m_system.currentDirectory;
    Process* process = Start(ResolveProgram(applicationName, commandLine));
    if (process == nullptr) {
        m_trace.Add(m_scheduler.Now(), "start failed: " + description);
        return {};
    }
    m_trace.Add(m_scheduler.Now(), "start: " + description);
    TraceInheritedErrorMode();
    return ProcessInfo{NewHandle(process->id), NewHandle(process->id), process->id};
}

Handle SimProcesses::ShellExecuteProcess(const std::string& file, const std::string& parameters) {
    const std::string description =
        "file=" + file + " params=" + parameters + " dir=" + m_system.currentDirectory;
    Process* process = Start(Qualify(file));
    if (process == nullptr) {
        m_trace.Add(m_scheduler.Now(), "shell failed: " + description);
        ShowShellError(file);
        return kNullHandle;
    }
    m_trace.Add(m_scheduler.Now(), "shell: " + description);
    TraceInheritedErrorMode();
    return NewHandle(process->id);
}

SimProcesses::Process* SimProcesses::ByHandle(Handle object) {
    const auto handle = m_handles.find(object);
    return handle == m_handles.end() ? nullptr : &m_processes.at(handle->second);
}

// The end is put into the trace when the setup first notices it.
bool SimProcesses::Ended(Process& process) {
    if (m_scheduler.Now() < process.EndMs()) {
        return false;
    }
    if (!process.endTraced) {
        process.endTraced = true;
        const unsigned long code = process.program.exitCode;
        m_trace.Add(m_scheduler.Now(), "exit: " + process.path + " " + std::to_string(code));
        if ((code == 0 || code == kRestartNeeded) && process.program.onSuccess) {
            process.program.onSuccess();
        }
    }
    return true;
}

// Without SEE_MASK_FLAG_NO_UI the shell tells the user itself that it
// cannot find the file, in a box that waits for OK; its words changed with
// the systems.
void SimProcesses::ShowShellError(const std::string& file) {
    const ISystemPort::OsVersion& version = m_system.osVersion;
    std::string text;
    if (version.platformId != VER_PLATFORM_WIN32_NT) {
        text = "Cannot find the file '" + file +
               "' (or one of its components). Make sure the path and filename are correct and "
               "that all required libraries are available.";
    } else {
        text = "Windows cannot find '" + file +
               "'. Make sure you typed the name correctly, and then try again.";
        if (version.major < 6) {
            text += " To search for a file, click the Start button, and then click Search.";
        }
    }
    m_desktop.ShowMessageBox(text, file, MB_OK | MB_ICONHAND);
}

// The shell hands a web address to the browser, starts a program, and
// opens any other file with the program registered for its kind.
bool SimProcesses::OpensThroughShell(const std::string& file) {
    return IsWebAddress(file) || Start(Qualify(file)) != nullptr || m_files.Exists(Qualify(file));
}

void SimProcesses::ShellExecuteProgram(const std::string& file, const std::string& parameters,
                                       int showCommand) {
    const bool started = OpensThroughShell(file);
    m_trace.Add(m_scheduler.Now(), std::string(started ? "shell run: " : "shell run failed: ") +
                                       "file=" + file + " params=" + parameters +
                                       " show=" + std::to_string(showCommand));
    if (started) {
        TraceInheritedErrorMode();
    }
}

// The program is the command line's first token, as for CreateProcess
// without an application name; it must be on the machine.
void SimProcesses::WinExec(const std::string& commandLine, int showCommand) {
    const bool started = Start(ResolveProgram("", commandLine)) != nullptr;
    m_trace.Add(m_scheduler.Now(), std::string(started ? "winexec: " : "winexec failed: ") +
                                       "cmd=" + commandLine +
                                       " show=" + std::to_string(showCommand));
    if (started) {
        TraceInheritedErrorMode();
    }
}

// A program started inherits the setup's error mode: said only when it is
// not the default, so that most traces are as they always were.
void SimProcesses::TraceInheritedErrorMode() {
    if (m_system.errorMode != 0) {
        char mode[16];
        std::snprintf(mode, sizeof mode, "0x%X", m_system.errorMode);
        m_trace.Add(m_scheduler.Now(), std::string("started with error mode ") + mode);
    }
}

// A program told to quit meanwhile ends sooner than scripted: the wait
// notices as soon as it has.
SimScheduler::Wake SimProcesses::BlockUntilEnd(Process& process, bool pumps,
                                               std::uint64_t untilMs) {
    const SimScheduler::Condition ended = [this, &process] {
        return m_scheduler.Now() >= process.EndMs();
    };
    return m_scheduler.Block(pumps, std::min(untilMs, process.EndMs()), ended);
}

bool SimProcesses::WaitForObject(Handle object, unsigned timeoutMs) {
    Process* process = ByHandle(object);
    if (process == nullptr || process->program.waitFails) {
        return false;
    }
    if (Ended(*process)) {
        return true;
    }
    BlockUntilEnd(*process, false,
                  timeoutMs == kInfinite ? SimScheduler::kNever : m_scheduler.Now() + timeoutMs);
    return Ended(*process);
}

unsigned SimProcesses::MsgWaitForObject(Handle object) {
    Process* process = ByHandle(object);
    if (process == nullptr || process->program.waitFails) {
        return kWaitFailed;
    }
    if (Ended(*process)) {
        return kWaitSignalled;
    }
    switch (BlockUntilEnd(*process, true, SimScheduler::kNever)) {
        case SimScheduler::Wake::Task:
            return kWaitInput;
        case SimScheduler::Wake::Stopped:
            return kWaitFailed;
        default:
            return Ended(*process) ? kWaitSignalled : kWaitFailed;
    }
}

void SimProcesses::Sleep(unsigned ms) {
    m_scheduler.Block(false, m_scheduler.Now() + ms);
}

bool SimProcesses::ExitCode(Handle object, unsigned long& code) {
    Process* process = ByHandle(object);
    if (process == nullptr) {
        return false;
    }
    code = Ended(*process) ? process->program.exitCode : kStillActive;
    return true;
}

void SimProcesses::CloseHandle(Handle object) {
    m_handles.erase(object);
}

std::vector<SimShownWindow> SimProcesses::WindowsShown() const {
    std::vector<SimShownWindow> shown;
    for (const auto& entry : m_processes) {
        const Process& process = entry.second;
        for (const SimProgramWindow& window : process.program.windows) {
            const std::uint64_t from = process.startMs + window.afterMs;
            if (window.rect.Width() > 0 && from < process.EndMs()) {
                shown.push_back(SimShownWindow{window.title, window.rect, from, process.EndMs()});
            }
        }
    }
    return shown;
}

std::vector<TopLevelWindow> SimProcesses::EnumTopLevelWindows() {
    std::vector<TopLevelWindow> windows = otherWindows;
    for (auto& entry : m_processes) {
        Process& process = entry.second;
        for (std::size_t i = 0; i < process.program.windows.size(); ++i) {
            const SimProgramWindow& window = process.program.windows[i];
            if (m_scheduler.Now() >= process.startMs + window.afterMs &&
                m_scheduler.Now() < process.EndMs()) {
                windows.push_back(TopLevelWindow{0x50000 + process.id * 16 + i, process.id,
                                                 window.title, window.className});
            }
        }
    }
    return windows;
}

namespace {

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

Handle SimProcesses::FindWindowByTitle(const std::string& title) {
    for (const TopLevelWindow& window : EnumTopLevelWindows()) {
        if (SameText(window.title, title)) {
            return window.handle;
        }
    }
    return kNullHandle;
}

Handle SimProcesses::FindWindowByClass(const std::string& className) {
    for (const TopLevelWindow& window : EnumTopLevelWindows()) {
        if (SameText(window.className, className)) {
            return window.handle;
        }
    }
    return kNullHandle;
}

void SimProcesses::BringToFront(Handle window) {
    m_trace.Add(m_scheduler.Now(), "bring to front: " + std::to_string(window));
}

void SimProcesses::PostQuit(Handle window) {
    for (const TopLevelWindow& shown : EnumTopLevelWindows()) {
        if (shown.handle != window) {
            continue;
        }
        m_trace.Add(m_scheduler.Now(), "post quit: " + shown.title + " (" + shown.className + ")");
        const auto process = m_processes.find(shown.processId);
        if (process != m_processes.end()) {
            process->second.program.runMs = m_scheduler.Now() - process->second.startMs;
        }
    }
}

}  // namespace kestavo::sim
