#include "platform/sim/SimBaton.h"

namespace kestavo::sim {

void SimBaton::Pass(Holder self, Holder next) {
    Hand(next);
    Await(self);
}

void SimBaton::Hand(Holder next) {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_holder = next;
    }
    m_turn.notify_all();
}

void SimBaton::Await(Holder self) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_turn.wait(lock, [this, self] { return m_holder == self; });
}

}  // namespace kestavo::sim
