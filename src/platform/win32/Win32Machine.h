#pragma once

#include <windows.h>

#include "platform/Ports.h"
#include "platform/win32/Win32Browser.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32DialogHost.h"
#include "platform/win32/Win32FrameHost.h"
#include "platform/win32/Win32Modules.h"
#include "platform/win32/Win32Pictures.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Profile.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32Threads.h"

namespace kestavo::win32 {

// The real machine: every port backed by Windows itself.
class Win32Machine {
public:
    explicit Win32Machine(HINSTANCE instance);
    Win32Machine(const Win32Machine&) = delete;
    Win32Machine& operator=(const Win32Machine&) = delete;

    Ports& GetPorts() { return m_ports; }

private:
    Win32System m_system;
    Win32Profile m_profile;
    Win32Desktop m_desktop;
    Win32DialogHost m_dialogs;
    Win32Threads m_threads;
    Win32Processes m_processes;
    Win32Registry m_registry;
    Win32Modules m_modules;
    Win32Pictures m_pictures;
    Win32FrameHost m_frames;
    Win32Browser m_browsers;
    Ports m_ports;
};

}  // namespace kestavo::win32
