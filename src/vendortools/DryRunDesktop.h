#pragma once

#include <string>

#include "platform/IDesktopPort.h"
#include "platform/sim/SimDesktop.h"

namespace kestavo::vendortools {

// The desktop as a dry run sees it: a real machine's metrics and colours,
// and the simulated machine's message boxes, shell, cursor and sounds.
class DryRunDesktop : public IDesktopPort {
public:
    DryRunDesktop(IDesktopReadPort& machine, sim::SimDesktop& effects)
        : m_machine(machine), m_effects(effects) {}

    int SystemMetric(int index) override { return m_machine.SystemMetric(index); }
    ColorRef SystemColor(int index) override { return m_machine.SystemColor(index); }

    int ShowMessageBox(const std::string& text, const std::string& caption,
                       unsigned style) override {
        return m_effects.ShowMessageBox(text, caption, style);
    }
    void ShellOpen(const std::string& file) override { m_effects.ShellOpen(file); }
    void SetWaitCursor(bool wait) override { m_effects.SetWaitCursor(wait); }
    bool PlaySoundFile(const std::string& path, unsigned flags) override {
        return m_effects.PlaySoundFile(path, flags);
    }

private:
    IDesktopReadPort& m_machine;
    sim::SimDesktop& m_effects;
};

}  // namespace kestavo::vendortools
