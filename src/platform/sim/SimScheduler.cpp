#include "platform/sim/SimScheduler.h"

namespace kestavo::sim {

SimScheduler::TaskId SimScheduler::At(std::uint64_t timeMs, Task task) {
    const TaskId id = m_nextId++;
    m_queue.emplace(Key{timeMs < m_now ? m_now : timeMs, id}, std::move(task));
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

bool SimScheduler::RunNext(std::uint64_t deadlineMs) {
    if (m_queue.empty() || m_queue.begin()->first.first > deadlineMs) {
        return false;
    }
    auto first = m_queue.begin();
    if (first->first.first > m_now) {
        m_now = first->first.first;
    }
    Task task = std::move(first->second);
    m_queue.erase(first);
    task();
    return true;
}

std::optional<std::uint64_t> SimScheduler::NextDueTime() const {
    if (m_queue.empty()) {
        return std::nullopt;
    }
    return m_queue.begin()->first.first;
}

void SimScheduler::AdvanceTo(std::uint64_t timeMs) {
    if (timeMs > m_now) {
        m_now = timeMs;
    }
}

}  // namespace kestavo::sim
