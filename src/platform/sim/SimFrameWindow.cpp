#include "platform/sim/SimFrameWindow.h"

#include <cstdio>

#include "platform/WinConst.h"
#include "platform/sim/SimDeviceContext.h"

namespace kestavo::sim {

SimFrameWindow::SimFrameWindow(Handle handle, IFrameEvents& events, SimScheduler& scheduler,
                               SimTrace& trace, SimDesktop& desktop)
    : m_handle(handle),
      m_events(&events),
      m_scheduler(scheduler),
      m_trace(trace),
      m_desktop(desktop) {}

SimFrameWindow::~SimFrameWindow() {
    if (m_redraw) {
        m_scheduler.Cancel(*m_redraw);
    }
}

void SimFrameWindow::Trace(const std::string& what) {
    m_trace.Add(m_scheduler.Now(), "frame: " + what);
}

void SimFrameWindow::RemoveStyle(unsigned long removed) {
    style &= ~removed;
    char text[40];
    std::snprintf(text, sizeof text, "style %#lx", style);
    Trace(text);
}

void SimFrameWindow::AddExStyle(unsigned long added) {
    exStyle |= added;
    char text[40];
    std::snprintf(text, sizeof text, "extended style %#lx", exStyle);
    Trace(text);
}

// Maximised without a caption, the client area is the whole screen.
void SimFrameWindow::Show(int showCommand) {
    visible = showCommand != SW_HIDE;
    if (showCommand == SW_SHOWMAXIMIZED) {
        m_rect = Rect{0, 0, m_desktop.screenWidth, m_desktop.screenHeight};
    }
    Trace("show " + std::to_string(showCommand));
    Invalidate();
}

void SimFrameWindow::RemoveMenu() {
    hasMenu = false;
    Trace("no menu");
}

void SimFrameWindow::SetTitle(const std::string& text) {
    title = text;
    Trace("title " + text);
}

void SimFrameWindow::Update() {
    if (m_redraw) {
        m_scheduler.Cancel(*m_redraw);
        m_redraw.reset();
        Redraw();
    }
}

void SimFrameWindow::Invalidate() {
    if (!m_redraw) {
        m_redraw = m_scheduler.After(0, [this] {
            m_redraw.reset();
            Redraw();
        });
    }
}

void SimFrameWindow::Redraw() {
    if (m_events == nullptr) {
        return;
    }
    SimDeviceContext dc(m_handle + 1, m_scheduler, m_trace);
    m_events->OnEraseBkgnd(dc);
    Trace("erased " + std::to_string(dc.fills.size()) + " rows");
    m_events->OnPaint();
}

void SimFrameWindow::Detach() {
    if (m_redraw) {
        m_scheduler.Cancel(*m_redraw);
        m_redraw.reset();
    }
    m_events = nullptr;
}

}  // namespace kestavo::sim
