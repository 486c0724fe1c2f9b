#pragma once

#include <string>

namespace kestavo {

// What the kernel says about the machine and the running program: folders,
// files, the code page, the environment, the system's version. Questions
// only: nothing here changes the machine or the process. ISystemPort adds
// the one change the program makes, to its error mode.
class ISystemReadPort {
public:
    virtual ~ISystemReadPort() = default;

    // The process's current directory, in full, as the ANSI code page can
    // name it: its short (8.3) form when the long name holds characters the
    // code page lacks, and empty when even that cannot name it. At a drive
    // root it ends in a backslash ("D:\"), elsewhere it does not.
    virtual std::string CurrentDirectory() = 0;
    virtual std::string SystemDirectory() = 0;
    virtual std::string WindowsDirectory() = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // GetTempPathA.
    virtual std::string TempDirectory() = 0;
    // GetFullPathNameA within MAX_PATH; empty when it fails.
    virtual std::string FullPathName(const std::string& path) = 0;
    // FindFirstFileA: whether any file or folder matches (wildcards too).
    virtual bool AnyFileMatches(const std::string& pattern) = 0;
    // The program file's base name without extension ("setup"): the caption
    // of the program's message boxes.
    virtual std::string AppName() = 0;
    // IsDBCSLeadByte: whether the byte begins a two-byte character in the
    // ANSI code page. On Japanese, Chinese and Korean systems the second
    // byte of such a character may be 0x5C, a backslash only in looks.
    virtual bool IsLeadByte(unsigned char byte) = 0;
    // An environment variable's value, empty when unset.
    virtual std::string EnvironmentVariable(const std::string& name) = 0;
    // SHGetSpecialFolderLocation with no owner, then SHGetPathFromIDListA;
    // empty when the shell cannot supply the folder.
    virtual std::string SpecialFolderPath(int csidl) = 0;

    // GetVersionExA with an OSVERSIONINFOA.
    struct OsVersion {
        unsigned long platformId = 0;
        unsigned long major = 0;
        unsigned long minor = 0;
    };
    virtual OsVersion GetOsVersion() = 0;
};

}  // namespace kestavo
