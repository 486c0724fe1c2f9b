#pragma once

#include <optional>
#include <string>

#include "platform/IFrameHost.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimScheduler.h"
#include "platform/sim/SimTrace.h"

namespace kestavo::sim {

// A frame window on the simulated machine: its styles, place and title,
// with erase and paint run as tasks when it is invalidated.
class SimFrameWindow : public IFrameWindow {
public:
    SimFrameWindow(Handle handle, IFrameEvents& events, SimScheduler& scheduler, SimTrace& trace,
                   SimDesktop& desktop);
    ~SimFrameWindow() override;
    SimFrameWindow(const SimFrameWindow&) = delete;
    SimFrameWindow& operator=(const SimFrameWindow&) = delete;

    Handle Get() override { return m_handle; }
    Rect ClientRect() override { return Rect{0, 0, m_rect.Width(), m_rect.Height()}; }
    void RemoveStyle(unsigned long style) override;
    void AddExStyle(unsigned long exStyle) override;
    void Show(int showCommand) override;
    void RemoveMenu() override;
    void SetTitle(const std::string& title) override;
    void Update() override;
    void Invalidate() override;

    // Its owner is gone: the window stays for tests to look at, but is no
    // longer drawn.
    void Detach();
    unsigned long style = 0x00CF0000;
    unsigned long exStyle = 0;
    std::string title;
    bool visible = false;
    bool hasMenu = true;

private:
    void Trace(const std::string& what);
    void Redraw();

    Handle m_handle;
    IFrameEvents* m_events;
    SimScheduler& m_scheduler;
    SimTrace& m_trace;
    SimDesktop& m_desktop;
    Rect m_rect{0, 0, 800, 600};
    std::optional<SimScheduler::TaskId> m_redraw;
};

}  // namespace kestavo::sim
