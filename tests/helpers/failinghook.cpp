// failinghook.dll: makes one of setup.exe's own calls fail, as on a machine
// out of memory or out of threads, so that a test sees how setup.exe ends
// then. Placed as the system folder's cryptbase.dll, a library setup.exe
// preloads at start-up by its full path and Wine does not have, it replaces
// the call that SETUP_FAILING_CALL names in the import table of the
// program that loads it:
//
//   malloc        every allocation of the C runtime fails
//   CreateThread  no thread can be made
//   runtime       the first thread meets the C runtime's own fatal error for
//                 a thread whose runtime data cannot be allocated (R6016)
//
// Without SETUP_FAILING_CALL it changes nothing.

#include <windows.h>

#include <cstring>

extern "C" __declspec(dllimport) void __cdecl _amsg_exit(int message);

namespace {

const int kThreadDataMessage = 16;

void* __cdecl NoMemory(size_t) {
    return nullptr;
}

HANDLE WINAPI NoThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD,
                       LPDWORD) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}

HANDLE WINAPI NoThreadData(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD,
                           LPDWORD) {
    _amsg_exit(kThreadDataMessage);
    return nullptr;
}

struct Failure {
    const char* setting;
    const char* import;
    void* replacement;
};

const Failure kFailures[] = {
    {"malloc", "malloc", reinterpret_cast<void*>(&NoMemory)},
    {"CreateThread", "CreateThread", reinterpret_cast<void*>(&NoThread)},
    {"runtime", "CreateThread", reinterpret_cast<void*>(&NoThreadData)},
};

template <typename T>
T* At(BYTE* base, DWORD offset) {
    return reinterpret_cast<T*>(base + offset);
}

void Replace(ULONG_PTR* slot, void* replacement) {
    DWORD protection = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    *slot = reinterpret_cast<ULONG_PTR>(replacement);
    VirtualProtect(slot, sizeof *slot, protection, &protection);
}

// Every slot of the program's import table that holds the function of
// this name, whichever library it comes from.
void ReplaceImport(const char* name, void* replacement) {
    BYTE* const base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* headers = At<IMAGE_NT_HEADERS>(base, At<IMAGE_DOS_HEADER>(base, 0)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* library = At<IMAGE_IMPORT_DESCRIPTOR>(base, imports.VirtualAddress);
         library->Name != 0; ++library) {
        auto* names = At<IMAGE_THUNK_DATA>(base, library->OriginalFirstThunk);
        auto* slots = At<IMAGE_THUNK_DATA>(base, library->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                continue;
            }
            const auto* byName = At<IMAGE_IMPORT_BY_NAME>(base, names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), name) == 0) {
                Replace(&slots->u1.Function, replacement);
            }
        }
    }
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    char setting[32] = "";
    if (reason != DLL_PROCESS_ATTACH ||
        GetEnvironmentVariableA("SETUP_FAILING_CALL", setting, sizeof setting) == 0) {
        return TRUE;
    }
    for (const Failure& failure : kFailures) {
        if (std::strcmp(failure.setting, setting) == 0) {
            ReplaceImport(failure.import, failure.replacement);
        }
    }
    return TRUE;
}
