#include "platform/sim/SimThreads.h"

#include <utility>

namespace kestavo::sim {

void SimThreads::BeginThread(const std::string& name, std::function<void()> body) {
    m_trace.Add(m_scheduler.Now(), "thread start: " + name);
    if (!runThreads) {
        return;
    }
    m_scheduler.After(0, [this, name, body = std::move(body)] {
        body();
        m_trace.Add(m_scheduler.Now(), "thread end: " + name);
    });
}

}  // namespace kestavo::sim
