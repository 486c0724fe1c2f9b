#pragma once

#include <string>
#include <vector>

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
    Handle SelectObject(Handle object) override;
    void SetTextColor(ColorRef color) override { textColor = color; }
    void SetBkMode(int mode) override { bkMode = mode; }
    void FillRectWithSysColor(const Rect& rect, int sysColorIndex) override;
    void FillSolidRect(const Rect& rect, ColorRef color) override;
    void DrawIcon(int x, int y, Handle icon) override;
    void SetTextAlign(unsigned align) override { textAlign = align; }
    void DrawTextAt(int x, int y, const std::string& text) override;

    // What was drawn, in order, for tests to look at.
    struct Fill {
        Rect rect;
        ColorRef color;
    };
    struct Text {
        int x;
        int y;
        std::string text;
        Handle font;
        ColorRef color;
        unsigned align;
        int bkMode;
    };
    std::vector<Fill> fills;
    std::vector<Text> texts;
    unsigned textAlign = 0;

    Handle selected = kNullHandle;
    ColorRef textColor = 0;
    int bkMode = 2;

private:
    Handle m_handle;
    const SimScheduler& m_scheduler;
    SimTrace& m_trace;
};

}  // namespace kestavo::sim
