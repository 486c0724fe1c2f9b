#include "platform/win32/Win32Machine.h"

namespace kestavo::win32 {

Win32Machine::Win32Machine(HINSTANCE instance)
    : m_dialogs(instance), m_frames(instance), m_ports{m_system,   m_profile,   m_system,
                                                       m_desktop,  m_desktop,   m_dialogs,
                                                       m_threads,  m_processes, m_processes,
                                                       m_registry, m_modules,   m_pictures,
                                                       m_frames,   m_browsers} {}

}  // namespace kestavo::win32
