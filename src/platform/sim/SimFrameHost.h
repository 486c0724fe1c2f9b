#pragma once

#include <memory>
#include <vector>

#include "platform/IFrameHost.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimFrameWindow.h"
#include "platform/sim/SimScheduler.h"
#include "platform/sim/SimTrace.h"

namespace kestavo::sim {

// Makes the simulated machine's frame windows. It keeps every window for
// the tests to look at after its owner is gone; the owner holds a handle
// that detaches the window when it goes.
class SimFrameHost : public IFrameHost {
public:
    SimFrameHost(SimScheduler& scheduler, SimTrace& trace, SimDesktop& desktop)
        : m_scheduler(scheduler), m_trace(trace), m_desktop(desktop) {}

    std::unique_ptr<IFrameWindow> CreateFrame(IFrameEvents& events) override;

    // The newest frame made, or null.
    SimFrameWindow* Last() { return m_frames.empty() ? nullptr : m_frames.back().get(); }

private:
    SimScheduler& m_scheduler;
    SimTrace& m_trace;
    SimDesktop& m_desktop;
    std::vector<std::unique_ptr<SimFrameWindow>> m_frames;
    Handle m_nextHandle = 0x60000;
};

}  // namespace kestavo::sim
