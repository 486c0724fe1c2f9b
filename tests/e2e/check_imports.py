#!/usr/bin/env python3
"""Fails when a Windows program imports, at load time, a DLL that Windows
might load from the program's own folder instead of its system folder, or
a function that Windows XP lacks.

setup.exe is run from download folders full of other people's DLLs, so it
may only import the DLLs Windows always takes from its own folder (and
comctl32, which the manifest binds to the side-by-side copy). Everything
else has to be loaded at run time by full path.

It also starts on Windows XP SP3, whose loader refuses a program that
imports a single function its DLLs do not export. Newer functions are
reached through GetProcAddress, with a way for XP; the ones compilers'
runtimes and libraries are known to import are refused here by name.

    check_imports.py [--objdump PROGRAM] EXE
"""

import argparse
import re
import subprocess
import sys

ALLOWED = frozenset({
    "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll", "ole32.dll",
    "oleaut32.dll", "ws2_32.dll", "msvcrt.dll", "comctl32.dll", "comdlg32.dll", "shlwapi.dll",
    "rpcrt4.dll",
})

# What thread, locale and file support in winpthread, libstdc++, the
# Microsoft runtimes and their kin import from Windows Vista and later.
# Whole families go by pattern; none of XP's own exports matches one.
POST_XP_FAMILIES = re.compile(
    r"^(Fls(Alloc|Free|GetValue|SetValue)|\w*SRWLock\w*|\w*ConditionVariable\w*|InitOnce\w*"
    r"|\w*Threadpool\w*|K32\w+|WaitOnAddress|WakeByAddress(Single|All))$")
POST_XP_FUNCTIONS = frozenset({
    # Time and processors.
    "GetTickCount64", "GetSystemTimePreciseAsFileTime", "QueryUnbiasedInterruptTime",
    "GetCurrentProcessorNumber", "GetCurrentProcessorNumberEx", "GetLogicalProcessorInformationEx",
    "FlushProcessWriteBuffers", "InterlockedCompareExchange64",
    # Synchronisation objects with the newer options.
    "InitializeCriticalSectionEx", "CreateEventExA", "CreateEventExW", "CreateMutexExA",
    "CreateMutexExW", "CreateSemaphoreExA", "CreateSemaphoreExW", "CreateWaitableTimerExW",
    # Locales and strings by locale name.
    "CompareStringEx", "CompareStringOrdinal", "LCMapStringEx", "GetLocaleInfoEx",
    "GetUserDefaultLocaleName", "GetSystemDefaultLocaleName", "LocaleNameToLCID",
    "LCIDToLocaleName", "EnumSystemLocalesEx", "IsValidLocaleName", "ResolveLocaleName",
    "GetDateFormatEx", "GetTimeFormatEx", "GetNumberFormatEx", "GetCurrencyFormatEx",
    "GetCalendarInfoEx", "FindNLSStringEx",
    # Files and handles.
    "CreateSymbolicLinkA", "CreateSymbolicLinkW", "GetFinalPathNameByHandleA",
    "GetFinalPathNameByHandleW", "GetFileInformationByHandleEx", "SetFileInformationByHandle",
    "CancelIoEx", "GetQueuedCompletionStatusEx", "SetFileCompletionNotificationModes",
    "CreateFile2", "CopyFile2", "GetTempPath2A", "GetTempPath2W",
    # Processes, threads and modules.
    "GetThreadId", "QueryFullProcessImageNameA", "QueryFullProcessImageNameW", "GetErrorMode",
    "GetThreadErrorMode", "SetThreadErrorMode", "SetThreadDescription", "GetThreadDescription",
    "AddDllDirectory", "RemoveDllDirectory", "SetDefaultDllDirectories",
    "RaiseFailFastException", "Wow64GetThreadContext", "Wow64SetThreadContext", "GetProductInfo",
    # Registry, shell and windows.
    "RegGetValueA", "RegGetValueW", "RegDeleteTreeA", "RegDeleteTreeW", "RegDeleteKeyExA",
    "RegDeleteKeyExW", "RegSetKeyValueA", "RegSetKeyValueW", "RegLoadMUIStringA",
    "RegLoadMUIStringW", "SHGetKnownFolderPath", "SetProcessDPIAware",
    "ChangeWindowMessageFilter", "ChangeWindowMessageFilterEx",
    # Event tracing.
    "EventRegister", "EventUnregister", "EventEnabled", "EventProviderEnabled", "EventWrite",
    "EventWriteTransfer", "EventSetInformation",
})

# objdump -p names each imported DLL on a line of its own
# ("\tDLL Name: KERNEL32.dll"). It does not list delay-loaded DLLs, but the
# data directory shows whether there are any; the delay-load helper finds
# them by name, on the search path, so they are refused as a whole.
DLL_NAME = re.compile(r"^\s*DLL Name:\s*(\S+)\s*$", re.MULTILINE)
# Each function imported by name follows its DLL's line, after its hint
# ("\t4c1a4\t  283  GetProcAddress").
IMPORT_LINE = re.compile(r"^\s*DLL Name:\s*(\S+)\s*$|^\t[0-9a-fA-F]+\t\s*\d+\s+(\S+)\s*$",
                         re.MULTILINE)
DELAY_DIRECTORY = re.compile(r"^Entry d ([0-9a-fA-F]+) ([0-9a-fA-F]+) Delay Import Directory",
                             re.MULTILINE)


def imported_dlls(objdump_output):
    return [name.lower() for name in DLL_NAME.findall(objdump_output)]


def imported_functions(objdump_output):
    """(function, DLL) for every function imported by name."""
    functions = []
    dll = None
    for dll_name, function in IMPORT_LINE.findall(objdump_output):
        if dll_name:
            dll = dll_name.lower()
        elif dll:
            functions.append((function, dll))
    return functions


def post_xp(functions):
    return sorted({f"{name} ({dll})" for name, dll in functions
                   if name in POST_XP_FUNCTIONS or POST_XP_FAMILIES.match(name)})


def has_delay_imports(objdump_output):
    entry = DELAY_DIRECTORY.search(objdump_output)
    return bool(entry) and int(entry.group(2), 16) != 0


def disallowed(dlls):
    return sorted(set(dlls) - ALLOWED)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    parser.add_argument("exe")
    arguments = parser.parse_args(argv)
    result = subprocess.run([arguments.objdump, "-p", arguments.exe], capture_output=True,
                            text=True, check=False)
    dlls = imported_dlls(result.stdout)
    if result.returncode != 0 or not dlls:
        print(f"{arguments.exe}: no import table read ({result.stderr.strip()})")
        return 1
    if has_delay_imports(result.stdout):
        print(f"{arguments.exe} has delay-loaded imports")
        return 1
    bad = disallowed(dlls)
    if bad:
        print(f"{arguments.exe} imports DLLs that may be loaded from its own folder: "
              + ", ".join(bad))
        return 1
    newer = post_xp(imported_functions(result.stdout))
    if newer:
        print(f"{arguments.exe} imports functions Windows XP lacks: " + ", ".join(newer))
        return 1
    print(f"{arguments.exe} imports only: " + ", ".join(sorted(set(dlls))))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
