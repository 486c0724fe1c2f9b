#include "driver/ProcessHardening.h"

#include "platform/WinConst.h"

namespace kestavo {

namespace {

// Libraries that Windows' own DLLs load by bare name after start-up, which
// the loader looks for in the program's folder first: the setup folder, a
// download folder full of other people's files. Loaded by full path before
// anything asks, a later load by name finds the library already there.
// Systems that lack one (XP has no dwmapi) just fail its load.
const char* const kPreloadedLibraries[] = {
    "uxtheme.dll",    // the common controls and dialogs draw with themes
    "dwmapi.dll",     // the themes and the window manager, Vista and later
    "version.dll",    // the shell and the installer runtime's version checks
    "userenv.dll",    // the shell's folders and profiles
    "cryptbase.dll",  // advapi32's cryptography on Windows 7
    "propsys.dll",    // the shell's property system, Vista and later
    "apphelp.dll",    // the compatibility layer of every program start
    "oleacc.dll",     // accessibility, asked for by the controls
    "msimg32.dll",    // transparent and blended drawing of themed controls
    "winmm.dll",      // the splash sound; the animation control asks for it too
    "msvfw32.dll",    // the animation control's video decompressors
};

}  // namespace

// Where the system can be told to search its own folder alone, libraries
// loaded by name after this come from there. Some components still search
// by the old order (under Wine, the themed controls look for msimg32 in the
// program's folder whatever the process asked), so the libraries are
// preloaded on every system: a library already loaded is taken by its name,
// whatever the order.
void HardenProcess(IStartupPort& startup) {
    startup.EnableHeapTerminationOnCorruption();
    if (!startup.SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        startup.RemoveCurrentFolderFromSearch();
        startup.LoadByPathWithAlteredSearchPath();
    }
    for (const char* name : kPreloadedLibraries) {
        startup.PreloadSystemLibrary(name);
    }
}

}  // namespace kestavo
