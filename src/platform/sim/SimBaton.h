#pragma once

#include <condition_variable>
#include <mutex>

namespace kestavo::sim {

// The one right to run on the simulated machine. Its threads are real
// threads, but only the holder of the baton runs; the others sleep until it
// is handed to them, so they take turns exactly where the scheduler says.
class SimBaton {
public:
    using Holder = int;

    // Gives the baton to `next` and sleeps until it comes back to `self`.
    void Pass(Holder self, Holder next);
    // Gives the baton to `next` for good: the caller is about to end.
    void Hand(Holder next);
    // Sleeps until the baton is handed to `self`.
    void Await(Holder self);

private:
    std::mutex m_mutex;
    std::condition_variable m_turn;
    // The process's first thread holds it from the start.
    Holder m_holder = 0;
};

}  // namespace kestavo::sim
