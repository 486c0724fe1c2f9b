#include "platform/sim/SimScheduler.h"

#include <iterator>
#include <tuple>

namespace kestavo::sim {

SimScheduler::TaskId SimScheduler::At(std::uint64_t timeMs, Task task) {
    const TaskId id = m_nextId++;
    m_queue.emplace(Key{timeMs < m_now ? m_now : timeMs, id}, Entry{m_current, std::move(task)});
    return id;
}

SimScheduler::TaskId SimScheduler::After(std::uint64_t delayMs, Task task) {
    return At(m_now + delayMs, std::move(task));
}

void SimScheduler::Cancel(TaskId id) {
    for (auto it = m_queue.begin(); it != m_queue.end(); ++it) {
        if (it->first.second == id) {
            m_queue.erase(it);
            return;
        }
    }
}

std::map<SimScheduler::Key, SimScheduler::Entry>::const_iterator SimScheduler::FirstTaskOf(
    ThreadId thread) const {
    auto it = m_queue.begin();
    while (it != m_queue.end() && it->second.owner != thread) {
        ++it;
    }
    return it;
}

bool SimScheduler::RunDue() {
    const auto first = FirstTaskOf(m_current);
    if (first == m_queue.end() || first->first.first > m_now) {
        return false;
    }
    Task task = std::move(m_queue.extract(first).mapped().task);
    task();
    return true;
}

std::optional<SimScheduler::Event> SimScheduler::NextEventOf(ThreadId thread,
                                                             const Blocked& blocked) const {
    if (blocked.ready != nullptr && *blocked.ready && (*blocked.ready)()) {
        return Event{{m_now, 0, thread}, thread, Wake::Ready};
    }
    std::optional<Event> next;
    const auto task = blocked.pumps ? FirstTaskOf(thread) : m_queue.end();
    if (task != m_queue.end()) {
        next = Event{{task->first.first, 1, task->first.second}, thread, Wake::Task};
    }
    const Event deadline{{blocked.untilMs, 2, thread}, thread, Wake::Deadline};
    if (blocked.untilMs != kNever && (!next || deadline.when < next->when)) {
        next = deadline;
    }
    return next;
}

std::optional<SimScheduler::Event> SimScheduler::NextEvent() const {
    std::optional<Event> next;
    for (const auto& entry : m_blocked) {
        const auto event = NextEventOf(entry.first, entry.second);
        if (event && (!next || event->when < next->when)) {
            next = event;
        }
    }
    return next;
}

void SimScheduler::MoveTo(const Event& event) {
    const std::uint64_t time = std::get<0>(event.when);
    if (time > m_now) {
        m_now = time;
    }
}

void SimScheduler::Turn(ThreadId next) {
    const ThreadId self = m_current;
    m_baton.Pass(self, next);
    m_current = self;
}

SimScheduler::Wake SimScheduler::Block(bool pumps, std::uint64_t untilMs, const Condition& ready) {
    const ThreadId self = m_current;
    for (;;) {
        if (m_stopping && self != m_stopper) {
            m_blocked.erase(self);
            return Wake::Stopped;
        }
        m_blocked[self] = Blocked{pumps, untilMs, &ready};
        const auto next = NextEvent();
        if (!next) {
            // Nothing will ever wake the thread: it has hung.
            m_blocked.erase(self);
            return Wake::Deadline;
        }
        MoveTo(*next);
        if (next->thread == self) {
            m_blocked.erase(self);
            return next->wake;
        }
        Turn(next->thread);
    }
}

SimScheduler::ThreadId SimScheduler::AddThread(Task start) {
    const ThreadId id = m_nextThread++;
    m_blocked[id] = Blocked{true, kNever, nullptr};
    m_queue.emplace(Key{m_now, m_nextId++}, Entry{id, std::move(start)});
    return id;
}

bool SimScheduler::Enter(ThreadId self) {
    m_baton.Await(self);
    m_current = self;
    m_blocked.erase(self);
    return !m_stopping;
}

// The baton goes on without waiting to come back: the caller's thread of
// control ends once this returns, and touches nothing of the machine after.
void SimScheduler::Leave() {
    const ThreadId self = m_current;
    m_blocked.erase(self);
    for (auto it = m_queue.begin(); it != m_queue.end();) {
        it = it->second.owner == self ? m_queue.erase(it) : std::next(it);
    }
    if (m_stopping) {
        m_baton.Hand(m_stopper);
        return;
    }
    const auto next = NextEvent();
    if (next) {
        MoveTo(*next);
    }
    m_baton.Hand(next ? next->thread : kFirstThread);
}

void SimScheduler::StopOtherThreads() {
    m_stopping = true;
    m_stopper = m_current;
    while (!m_blocked.empty()) {
        Turn(m_blocked.begin()->first);
    }
}

}  // namespace kestavo::sim
