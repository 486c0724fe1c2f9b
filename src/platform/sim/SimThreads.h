#pragma once

#include <functional>
#include <string>

#include "platform/IThreadPort.h"
#include "platform/sim/SimScheduler.h"
#include "platform/sim/SimTrace.h"

namespace kestavo::sim {

// User-interface threads on the simulated machine. A thread's body runs as
// a task of the scheduler, right after the code that started it yields; the
// modal dialog it runs then shares the scheduler with every other window,
// so the threads interleave the same way on every run.
class SimThreads : public IThreadPort {
public:
    SimThreads(SimScheduler& scheduler, SimTrace& trace) : m_scheduler(scheduler), m_trace(trace) {}

    void BeginThread(const std::string& name, std::function<void()> body) override;

    // When false, threads are only recorded as started, and a test plays
    // their part itself.
    bool runThreads = true;

private:
    SimScheduler& m_scheduler;
    SimTrace& m_trace;
};

}  // namespace kestavo::sim
