#pragma once

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/IThreadPort.h"
#include "platform/sim/SimScheduler.h"
#include "platform/sim/SimTrace.h"

namespace kestavo::sim {

// User-interface threads on the simulated machine. Each is a thread of its
// own that runs only when the scheduler gives it the turn: its body starts
// right after the code that started it waits, and its modal dialog then
// takes turns with every other thread's waits, the same way on every run.
// When the process ends, the threads still running are stopped.
class SimThreads : public IThreadPort {
public:
    SimThreads(SimScheduler& scheduler, SimTrace& trace) : m_scheduler(scheduler), m_trace(trace) {}
    ~SimThreads() override;
    SimThreads(const SimThreads&) = delete;
    SimThreads& operator=(const SimThreads&) = delete;

    void BeginThread(const std::string& name, std::function<void()> body) override;

    // When false, threads are only recorded as started, and a test plays
    // their part itself.
    bool runThreads = true;

private:
    SimScheduler& m_scheduler;
    SimTrace& m_trace;
    std::vector<std::thread> m_threads;
};

}  // namespace kestavo::sim
