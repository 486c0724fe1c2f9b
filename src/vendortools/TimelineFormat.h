#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/sim/SimMachine.h"
#include "vendortools/SetupPreview.h"

namespace kestavo::vendortools {

// Tells a simulated run's trace as a vendor reads it: what appeared on the
// screen and where, which programs ran with which command lines and for how
// long, what was asked and answered, and the program's decisions a
// DecisionNarrator put among them. The machine's own bookkeeping (timers,
// fills, fonts, cursors) is left out.
class TimelineFormat {
public:
    explicit TimelineFormat(sim::SimMachine& machine);

    std::vector<TimelineEvent> Events() const { return m_events; }

private:
    void Read(std::uint64_t ms, const std::string& line);
    void Dialog(std::uint64_t ms, int templateId, const std::string& what);
    void Program(std::uint64_t ms, const std::string& line);
    void Add(std::uint64_t ms, const std::string& kind, std::string text);

    sim::SimMachine& m_machine;
    std::vector<TimelineEvent> m_events;
    // When each program started, by path, for its run time.
    std::map<std::string, std::uint64_t> m_started;
    // Each dialog's window since it was last created, by template: whether
    // it has been shown, and whether it has ended.
    struct WindowState {
        bool shown = false;
        bool ended = false;
    };
    std::map<int, WindowState> m_windows;
};

}  // namespace kestavo::vendortools
