#include "platform/sim/SimThreads.h"

#include <utility>

namespace kestavo::sim {

SimThreads::~SimThreads() {
    m_scheduler.StopOtherThreads();
    for (std::thread& thread : m_threads) {
        thread.join();
    }
}

// A thread stopped by the end of the process is gone without ending: it
// leaves no end in the trace.
void SimThreads::BeginThread(const std::string& name, std::function<void()> body) {
    m_trace.Add(m_scheduler.Now(), "thread start: " + name);
    if (!runThreads) {
        return;
    }
    const SimScheduler::ThreadId id = m_scheduler.AddThread([this, name, body = std::move(body)] {
        body();
        if (!m_scheduler.Stopping()) {
            m_trace.Add(m_scheduler.Now(), "thread end: " + name);
        }
    });
    m_threads.emplace_back([this, id] {
        if (m_scheduler.Enter(id)) {
            m_scheduler.RunDue();
        }
        m_scheduler.Leave();
    });
}

}  // namespace kestavo::sim
