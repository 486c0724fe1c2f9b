#include "platform/sim/SimDeviceContext.h"

namespace kestavo::sim {

void SimDeviceContext::FillRectWithSysColor(const Rect& rect, int sysColorIndex) {
    m_trace.Add(m_scheduler.Now(),
                "paint: fill (" + std::to_string(rect.left) + ", " + std::to_string(rect.top) +
                    ", " + std::to_string(rect.Width()) + " x " + std::to_string(rect.Height()) +
                    ") with system colour " + std::to_string(sysColorIndex));
}

void SimDeviceContext::DrawIcon(int x, int y, Handle icon) {
    m_trace.Add(m_scheduler.Now(), "paint: icon " + std::to_string(icon) + " at (" +
                                       std::to_string(x) + ", " + std::to_string(y) + ")");
}

}  // namespace kestavo::sim
