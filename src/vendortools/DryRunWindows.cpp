#include "vendortools/DryRunWindows.h"

namespace kestavo::vendortools {

// The program lists the windows only to find the one of a program it has
// started, by its process id; every program a dry run starts is
// simulated, and the real machine's windows would only bring process ids
// that may equal a simulated one.
std::vector<TopLevelWindow> DryRunWindows::EnumTopLevelWindows() {
    return m_effects.EnumTopLevelWindows();
}

Handle DryRunWindows::FindWindowByTitle(const std::string& title) {
    const Handle real = m_machine.FindWindowByTitle(title);
    if (real != kNullHandle) {
        return Copy(real, TopLevelWindow{kNullHandle, 0, title, ""});
    }
    return m_effects.FindWindowByTitle(title);
}

Handle DryRunWindows::FindWindowByClass(const std::string& className) {
    const Handle real = m_machine.FindWindowByClass(className);
    if (real != kNullHandle) {
        return Copy(real, TopLevelWindow{kNullHandle, 0, "", className});
    }
    return m_effects.FindWindowByClass(className);
}

// A real window found becomes one of the simulated machine's other windows,
// with its title and class as the real machine lists them (or as asked, if
// it does not list it), so that what the program does to it is done to the
// copy. The program is only ever given the copy's handle, and the copy
// belongs to no process of the simulated machine.
Handle DryRunWindows::Copy(Handle real, TopLevelWindow asked) {
    const auto known = m_copies.find(real);
    if (known != m_copies.end()) {
        return known->second;
    }
    for (const TopLevelWindow& listed : m_machine.EnumTopLevelWindows()) {
        if (listed.handle == real) {
            asked.title = listed.title;
            asked.className = listed.className;
        }
    }
    asked.handle = kFirstCopy + m_copies.size();
    m_effects.otherWindows.push_back(asked);
    m_copies.emplace(real, asked.handle);
    return asked.handle;
}

}  // namespace kestavo::vendortools
