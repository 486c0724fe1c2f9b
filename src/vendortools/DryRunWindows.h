#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/IWindowListPort.h"
#include "platform/sim/SimProcesses.h"

namespace kestavo::vendortools {

// Other programs' windows as a dry run sees them: a real machine's, found by
// title or class, and those of the programs the run started, which are all
// simulated. What the program does to a window (tells it to quit, brings it
// to the front) the simulated machine does, to its copy of the window.
class DryRunWindows : public IWindowListPort {
public:
    DryRunWindows(IWindowReadPort& machine, sim::SimProcesses& effects)
        : m_machine(machine), m_effects(effects) {}

    std::vector<TopLevelWindow> EnumTopLevelWindows() override;
    Handle FindWindowByTitle(const std::string& title) override;
    Handle FindWindowByClass(const std::string& className) override;

    void PostQuit(Handle window) override { m_effects.PostQuit(window); }
    void BringToFront(Handle window) override { m_effects.BringToFront(window); }

    // Where the copies' handles begin: apart from those the simulated
    // machine gives its own windows.
    static constexpr Handle kFirstCopy = 0xA0000;

private:
    Handle Copy(Handle real, TopLevelWindow asked);

    IWindowReadPort& m_machine;
    sim::SimProcesses& m_effects;
    // Each real window found, and its copy's handle.
    std::map<Handle, Handle> m_copies;
};

}  // namespace kestavo::vendortools
