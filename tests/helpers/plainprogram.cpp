// A program that imports what setup.exe imports, with the same manifest,
// and does nothing: whatever Wine loads for it, Wine loads for any such
// program before the program's own code can run.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlwapi.h>
#include <winsock.h>

namespace {

// One function of each imported library, named so that the linker keeps
// the import; none of them is called.
void* volatile g_imports[] = {
    reinterpret_cast<void*>(&GetStockObject),     reinterpret_cast<void*>(&RegCloseKey),
    reinterpret_cast<void*>(&InitCommonControls), reinterpret_cast<void*>(&ShellExecuteA),
    reinterpret_cast<void*>(&PathFileExistsA),    reinterpret_cast<void*>(&CoUninitialize),
    reinterpret_cast<void*>(&SysFreeString),      reinterpret_cast<void*>(&WSACleanup),
    reinterpret_cast<void*>(&MessageBeep),
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return g_imports[0] == nullptr ? 1 : 0;
}
