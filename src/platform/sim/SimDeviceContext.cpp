#include "platform/sim/SimDeviceContext.h"

namespace kestavo::sim {

void SimDeviceContext::FillRectWithSysColor(const Rect& rect, int sysColorIndex) {
    m_trace.Add(m_scheduler.Now(),
                "paint: fill (" + std::to_string(rect.left) + ", " + std::to_string(rect.top) +
                    ", " + std::to_string(rect.Width()) + " x " + std::to_string(rect.Height()) +
                    ") with system colour " + std::to_string(sysColorIndex));
}

Handle SimDeviceContext::SelectObject(Handle object) {
    const Handle previous = selected;
    selected = object;
    return previous;
}

void SimDeviceContext::FillSolidRect(const Rect& rect, ColorRef color) {
    fills.push_back(Fill{rect, color});
}

void SimDeviceContext::DrawTextAt(int x, int y, const std::string& text) {
    texts.push_back(Text{x, y, text, selected, textColor, textAlign, bkMode});
}

void SimDeviceContext::DrawIcon(int x, int y, Handle icon) {
    m_trace.Add(m_scheduler.Now(), "paint: icon " + std::to_string(icon) + " at (" +
                                       std::to_string(x) + ", " + std::to_string(y) + ")");
}

}  // namespace kestavo::sim
