#pragma once

#include <string>

#include "platform/IGdiPort.h"
#include "platform/sim/SimScheduler.h"
#include "platform/sim/SimTrace.h"

namespace kestavo::sim {

// A device context of the simulated machine: it remembers what was selected
// and set, and puts what it draws into the trace.
class SimDeviceContext : public IDeviceContext {
public:
    SimDeviceContext(Handle handle, const SimScheduler& scheduler, SimTrace& trace)
        : m_handle(handle), m_scheduler(scheduler), m_trace(trace) {}

    Handle Get() override { return m_handle; }
    void SelectObject(Handle object) override { selected = object; }
    void SetTextColor(ColorRef color) override { textColor = color; }
    void SetBkMode(int mode) override { bkMode = mode; }
    void FillRectWithSysColor(const Rect& rect, int sysColorIndex) override;
    void DrawIcon(int x, int y, Handle icon) override;

    Handle selected = kNullHandle;
    ColorRef textColor = 0;
    int bkMode = 2;

private:
    Handle m_handle;
    const SimScheduler& m_scheduler;
    SimTrace& m_trace;
};

}  // namespace kestavo::sim
