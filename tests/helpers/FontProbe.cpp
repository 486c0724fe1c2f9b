#include "FontProbe.h"

#include <string>

namespace {

const DWORD kAnswerTimeoutMs = 5000;

std::wstring OwnFolder() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.erase(folder.find_last_of(L"\\/") + 1);
}

}  // namespace

FontProbe::FontProbe(HWND window) : m_nQuery(RegisterWindowMessageW(kFontQueryMessage)) {
    HMODULE library = LoadLibraryW((OwnFolder() + L"winprobehook.dll").c_str());
    auto proc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(library, "WinprobeCallWndProc")));
    if (!proc) {
        return;
    }
    m_hMapping =
        CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(FontAnswer),
                           FontAnswerName(GetCurrentProcessId()).c_str());
    if (m_hMapping) {
        m_pAnswer = static_cast<FontAnswer*>(
            MapViewOfFile(m_hMapping, FILE_MAP_WRITE, 0, 0, sizeof(FontAnswer)));
    }
    if (m_pAnswer) {
        m_hHook = SetWindowsHookExW(WH_CALLWNDPROC, proc, library,
                                    GetWindowThreadProcessId(window, nullptr));
    }
}

FontProbe::~FontProbe() {
    if (m_hHook) {
        UnhookWindowsHookEx(m_hHook);
    }
    if (m_pAnswer) {
        UnmapViewOfFile(m_pAnswer);
    }
    if (m_hMapping) {
        CloseHandle(m_hMapping);
    }
}

bool FontProbe::Ask(HWND control, FontAnswer* answer) {
    if (!m_hHook) {
        return false;
    }
    *m_pAnswer = FontAnswer{};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(control, m_nQuery, GetCurrentProcessId(), 0, SMTO_ABORTIFHUNG,
                        kAnswerTimeoutMs, &ignored);
    *answer = *m_pAnswer;
    return answer->answered != FALSE;
}
