#include "prereq/InstallerRuntime.h"

#include "core/DecisionReport.h"
#include "core/SetupFolder.h"
#include "core/TagFile.h"
#include "platform/WinConst.h"

namespace kestavo {

namespace {

// The library path goes through a buffer of 260 characters.
constexpr std::string::size_type kMaxLibraryPath = 259;

// What the runtime library at the path is: missing, of no version that can
// be read, too old or current; `major` is its major version where known.
Decision ExamineRuntime(Ports& ports, const std::string& runtimePath, unsigned long& major) {
    unsigned long minor = 0;
    unsigned long build = 0;
    if (!ports.system.FileExists(runtimePath)) {
        return Decision::RuntimeMissing;
    }
    if (QueryDllVersion(ports, runtimePath, major, minor, build) != 1) {
        return Decision::RuntimeVersionUnknown;
    }
    return major >= kMinimumRuntimeMajor ? Decision::RuntimeCurrent : Decision::RuntimeTooOld;
}

}  // namespace

int EnsureInstallerRuntime(Ports& ports) {
    const std::string runtimePath =
        WithTrailingSeparator(ports.system, ports.system.SystemDirectory()) + "msi.dll";
    unsigned long major = 0;
    const Decision runtime = ExamineRuntime(ports, runtimePath, major);
    Report(ports, runtime, &runtimePath, static_cast<int>(major));
    if (runtime != Decision::RuntimeCurrent) {
        RunRuntimeRedistributable(ports);
    }
    return 1;
}

bool IsInstallerRuntimeCurrent(Ports& ports, std::string runtimePath) {
    unsigned long major = 0;
    return ExamineRuntime(ports, runtimePath, major) == Decision::RuntimeCurrent;
}

int QueryDllVersion(Ports& ports, const std::string& path, unsigned long& major,
                    unsigned long& minor, unsigned long& build) {
    if (path.size() > kMaxLibraryPath) {
        return 0;
    }
    if (const auto version = ports.modules.DllGetVersion(path)) {
        major = version->major;
        minor = version->minor;
        build = version->build;
        return 1;
    }
    return QueryFileVersion(ports, path, major, minor, build);
}

int QueryFileVersion(Ports& ports, const std::string& path, unsigned long& major,
                     unsigned long& minor, unsigned long& build) {
    const auto text = ports.modules.FileVersionString(path);
    return text ? ParseVersionString(*text, major, minor, build) : 0;
}

int ParseVersionString(std::string text, unsigned long& major, unsigned long& minor,
                       unsigned long& build) {
    unsigned long* const fields[] = {&major, &minor, &build};
    std::string::size_type at = 0;
    for (unsigned long* field : fields) {
        const std::string::size_type start = text.find_first_not_of('.', at);
        if (start == std::string::npos) {
            return 0;
        }
        const std::string::size_type end = text.find('.', start);
        *field = static_cast<unsigned long>(TagFile::AtoI(text.substr(start, end - start)));
        at = end;
    }
    return 1;
}

bool IsWin98OrLater9x(Ports& ports) {
    const ISystemPort::OsVersion version = ports.system.GetOsVersion();
    return version.platformId == VER_PLATFORM_WIN32_WINDOWS &&
           (version.major > 4 || (version.major == 4 && version.minor > 0));
}

std::string RuntimeRedistributablePath(Ports& ports) {
    return SetupFolderWithSeparator(ports.system) +
           (IsWin98OrLater9x(ports) ? "InstMsiA.exe" : "InstMsiW.exe");
}

void RunRuntimeRedistributable(Ports& ports) {
    const std::string path = RuntimeRedistributablePath(ports);
    Report(ports, Decision::RedistributableChosen, &path);
    const Handle process = ports.processes.ShellExecuteProcess(path, "");
    if (process == kNullHandle) {
        return;
    }
    ports.processes.WaitForObject(process, IProcessPort::kInfinite);
    ports.processes.CloseHandle(process);
}

}  // namespace kestavo
