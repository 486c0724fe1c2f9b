#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <tuple>
#include <utility>

#include "platform/sim/SimBaton.h"

namespace kestavo::sim {

// The simulated machine's clock, its queue of things due (timers, the ends
// of processes, scripted user actions) and the turns of its threads. Each
// task belongs to the thread that scheduled it. A thread that waits blocks
// here; the scheduler then gives the turn to whichever thread has the
// earliest thing due, and moves the clock to it. Time only moves that way,
// so a run takes no real time and every run is the same.
class SimScheduler {
public:
    using Task = std::function<void()>;
    using TaskId = std::uint64_t;
    using ThreadId = SimBaton::Holder;
    using Condition = std::function<bool()>;

    // Why a blocked thread runs again: its condition holds, one of its own
    // tasks is due, its time is up, or the process is ending under it.
    enum class Wake { Ready, Task, Deadline, Stopped };
    static constexpr std::uint64_t kNever = std::numeric_limits<std::uint64_t>::max();
    // The process's own thread: the one that runs the program from its start.
    static constexpr ThreadId kFirstThread = 0;

    std::uint64_t Now() const { return m_now; }
    TaskId At(std::uint64_t timeMs, Task task);
    TaskId After(std::uint64_t delayMs, Task task);
    void Cancel(TaskId id);
    // Runs the calling thread's earliest task if it is already due. False
    // when none is.
    bool RunDue();

    // Blocks the calling thread until `ready` holds, one of its own tasks
    // falls due (only when it `pumps` messages), or `untilMs` comes; the
    // other threads run meanwhile. Deadline too when nothing ever could
    // wake it.
    Wake Block(bool pumps, std::uint64_t untilMs, const Condition& ready = {});

    ThreadId Current() const { return m_current; }
    // A new thread whose first task, due at once, is `start`. Its own
    // thread of control calls Enter, runs that task, and Leave.
    ThreadId AddThread(Task start);
    // Waits for the thread's first turn. False when the process has ended
    // before it.
    bool Enter(ThreadId self);
    // The calling thread ends; its tasks go with it.
    void Leave();
    // The process is over: every other thread is woken with Stopped, in
    // turn, and runs to its end before this returns.
    void StopOtherThreads();
    bool Stopping() const { return m_stopping; }

private:
    // Ordered by due time, then by the order of scheduling.
    using Key = std::pair<std::uint64_t, TaskId>;
    struct Entry {
        ThreadId owner;
        Task task;
    };
    struct Blocked {
        bool pumps;
        std::uint64_t untilMs;
        const Condition* ready;
    };
    // What happens next: at a time, by rank (a condition that holds, then
    // a task, then a time that is up) and order of scheduling or thread.
    struct Event {
        std::tuple<std::uint64_t, int, std::uint64_t> when;
        ThreadId thread;
        Wake wake;
    };

    std::optional<Event> NextEvent() const;
    std::optional<Event> NextEventOf(ThreadId thread, const Blocked& blocked) const;
    std::map<Key, Entry>::const_iterator FirstTaskOf(ThreadId thread) const;
    void MoveTo(const Event& event);
    void Turn(ThreadId next);

    std::map<Key, Entry> m_queue;
    std::map<ThreadId, Blocked> m_blocked;
    SimBaton m_baton;
    std::uint64_t m_now = 0;
    TaskId m_nextId = 1;
    ThreadId m_current = kFirstThread;
    ThreadId m_nextThread = kFirstThread + 1;
    ThreadId m_stopper = kFirstThread;
    bool m_stopping = false;
};

}  // namespace kestavo::sim
