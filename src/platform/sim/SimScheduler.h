#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>

namespace kestavo::sim {

// The simulated machine's clock and its queue of things due: timers, the
// ends of processes, scripted user actions. Time only moves when the next
// due task runs, so a run takes no real time and every run is the same.
class SimScheduler {
public:
    using Task = std::function<void()>;
    using TaskId = std::uint64_t;

    std::uint64_t Now() const { return m_now; }
    TaskId At(std::uint64_t timeMs, Task task);
    TaskId After(std::uint64_t delayMs, Task task);
    void Cancel(TaskId id);
    // Runs the earliest task due no later than `deadlineMs`, moving the
    // clock to its time. False when there is none.
    bool RunNext(std::uint64_t deadlineMs);
    bool Idle() const { return m_queue.empty(); }
    // When the earliest task is due, if any.
    std::optional<std::uint64_t> NextDueTime() const;
    // Moves the clock on without running anything: a thread that blocks
    // without pumping leaves its due tasks waiting.
    void AdvanceTo(std::uint64_t timeMs);
    // Runs the earliest task if it is already due. False when none is.
    bool RunDue() { return RunNext(m_now); }

private:
    // Ordered by due time, then by the order of scheduling.
    using Key = std::pair<std::uint64_t, TaskId>;
    std::map<Key, Task> m_queue;
    std::uint64_t m_now = 0;
    TaskId m_nextId = 1;
};

}  // namespace kestavo::sim
