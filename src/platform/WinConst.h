#pragma once

// Windows constants whose values the behaviour depends on, with the values
// Windows gives them. Portable code uses these instead of <windows.h>.

namespace kestavo {

// Dialog results and standard control ids.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
// What a modal run returns when its dialog could not be created.
inline constexpr int kDialogFailed = -1;

// Show commands.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_SHOWDEFAULT = 10;

// Window messages.
inline constexpr unsigned WM_SETICON = 0x0080;
inline constexpr unsigned WM_ICONERASEBKGND = 0x0027;
inline constexpr unsigned WM_QUIT = 0x0012;
inline constexpr int ICON_SMALL = 0;
inline constexpr int ICON_BIG = 1;

// Progress bar messages.
inline constexpr unsigned WM_USER = 0x0400;
inline constexpr unsigned PBM_SETRANGE = WM_USER + 1;
inline constexpr unsigned PBM_SETPOS = WM_USER + 2;
inline constexpr unsigned PBM_STEPIT = WM_USER + 5;
inline constexpr unsigned PBM_GETPOS = WM_USER + 8;

// System metrics.
inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
inline constexpr int SM_CXICON = 11;
inline constexpr int SM_CYICON = 12;

// System colours.
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_BTNFACE = 15;

// Control colour requests.
inline constexpr int CTLCOLOR_STATIC = 6;
inline constexpr int TRANSPARENT = 1;

// SetWindowPos flags.
inline constexpr unsigned SWP_FRAMECHANGED = 0x0020;
inline constexpr unsigned SWP_SHOWWINDOW = 0x0040;

// Window styles.
inline constexpr unsigned long WS_CAPTION = 0x00C00000;
inline constexpr unsigned long WS_EX_TOPMOST = 0x00000008;
inline constexpr unsigned long WS_EX_APPWINDOW = 0x00040000;

// Text alignment.
inline constexpr unsigned TA_LEFT = 0;
inline constexpr unsigned TA_TOP = 0;
inline constexpr unsigned TA_RIGHT = 2;
inline constexpr unsigned TA_BOTTOM = 8;

// Sounds.
inline constexpr unsigned SND_ASYNC = 0x0001;
inline constexpr unsigned SND_NODEFAULT = 0x0002;
inline constexpr unsigned SND_LOOP = 0x0008;

// Animation control messages.
inline constexpr unsigned ACM_OPENA = WM_USER + 100;
inline constexpr unsigned ACM_PLAY = WM_USER + 101;

// Font weights.
inline constexpr int FW_NORMAL = 400;
inline constexpr int FW_BOLD = 700;

// RedrawWindow flags.
inline constexpr unsigned RDW_INVALIDATE = 0x0001;
inline constexpr unsigned RDW_ERASE = 0x0004;
inline constexpr unsigned RDW_UPDATENOW = 0x0100;

// Message box styles.
inline constexpr unsigned MB_OK = 0x0000;
inline constexpr unsigned MB_ICONHAND = 0x0010;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x0030;

// Operating-system platform ids.
inline constexpr unsigned long VER_PLATFORM_WIN32_WINDOWS = 1;
inline constexpr unsigned long VER_PLATFORM_WIN32_NT = 2;

// Shell folders.
inline constexpr int CSIDL_FAVORITES = 0x0006;
inline constexpr int CSIDL_SENDTO = 0x0009;
inline constexpr int CSIDL_MYMUSIC = 0x000D;
inline constexpr int CSIDL_FONTS = 0x0014;
inline constexpr int CSIDL_MYPICTURES = 0x0027;
inline constexpr int CSIDL_COMMON_DOCUMENTS = 0x002E;

// Library search: the system folder alone.
inline constexpr unsigned long LOAD_LIBRARY_SEARCH_SYSTEM32 = 0x00000800;

// Error modes: a drive without its medium fails the call instead of asking
// for a disk, and OpenFile shows no box for a missing file.
inline constexpr unsigned SEM_FAILCRITICALERRORS = 0x0001;
inline constexpr unsigned SEM_NOOPENFILEERRORBOX = 0x8000;

// Windows Sockets version 1.1, as MAKEWORD(1, 1).
inline constexpr unsigned short kWinsock11 = 0x0101;

}  // namespace kestavo
