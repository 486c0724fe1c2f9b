#include "platform/sim/SimWindow.h"

#include <cstdint>
#include <stdexcept>

#include "platform/sim/SimDeviceContext.h"

#include "platform/WinConst.h"

namespace kestavo::sim {

namespace {

std::string RectText(const Rect& rect) {
    return "(" + std::to_string(rect.left) + ", " + std::to_string(rect.top) + ", " +
           std::to_string(rect.Width()) + " x " + std::to_string(rect.Height()) + ")";
}

}  // namespace

SimWindow::SimWindow(int templateId, Handle handle, const SimTemplate& layout,
                     IDialogEvents& events, SimScheduler& scheduler, SimTrace& trace,
                     const SimFiles& files)
    : m_templateId(templateId),
      m_handle(handle),
      m_events(events),
      m_scheduler(scheduler),
      m_trace(trace),
      m_files(files),
      m_rect{0, 0, layout.width, layout.height} {
    for (const SimItemTemplate& item : layout.items) {
        SimItem state;
        state.kind = item.kind;
        state.text = item.text;
        state.rect = item.rect;
        m_items[item.id] = state;
    }
}

SimWindow::~SimWindow() {
    Abandon();
}

void SimWindow::Trace(const std::string& what) {
    m_trace.Add(m_scheduler.Now(), "dialog " + std::to_string(m_templateId) + ": " + what);
}

SimItem& SimWindow::Item(int itemId) {
    const auto it = m_items.find(itemId);
    if (it == m_items.end()) {
        throw std::out_of_range("dialog " + std::to_string(m_templateId) + " has no item " +
                                std::to_string(itemId));
    }
    return it->second;
}

void SimWindow::SetItemText(int itemId, const std::string& text) {
    Item(itemId).text = text;
}

std::string SimWindow::ItemText(int itemId) {
    return Item(itemId).text;
}

Rect SimWindow::ClientRect() {
    return Rect{0, 0, m_rect.Width(), m_rect.Height()};
}

Rect SimWindow::ItemRect(int itemId) {
    return Item(itemId).rect;
}

void SimWindow::Move(int x, int y, int width, int height, bool) {
    m_rect = Rect::At(x, y, width, height);
    Trace("move " + RectText(m_rect));
}

void SimWindow::SetWindowPosTop(int x, int y, int width, int height, unsigned flags) {
    m_rect = Rect::At(x, y, width, height);
    Trace("place " + RectText(m_rect) + " on top, flags " + std::to_string(flags));
}

void SimWindow::ShowItem(int itemId, int showCommand) {
    Item(itemId).visible = showCommand != SW_HIDE;
    Trace("show item " + std::to_string(itemId) + " " + std::to_string(showCommand));
}

void SimWindow::MoveItem(int itemId, int x, int y, int width, int height) {
    Item(itemId).rect = Rect::At(x, y, width, height);
    Trace("move item " + std::to_string(itemId) + " " + RectText(Item(itemId).rect));
}

void SimWindow::Invalidate() {
    if (m_paint || m_ended) {
        return;
    }
    m_paint = m_scheduler.After(0, [this] {
        m_paint.reset();
        SimDeviceContext dc(m_handle + 1, m_scheduler, m_trace);
        m_events.OnPaint(dc);
    });
}

void SimWindow::Show(int showCommand) {
    m_visible = showCommand != SW_HIDE;
    Trace("show " + std::to_string(showCommand));
}

// Windows raises periods below ten milliseconds to ten.
void SimWindow::SetTimer(int timerId, unsigned periodMs) {
    KillTimer(timerId);
    ArmTimer(timerId, periodMs < 10 ? 10 : periodMs);
    Trace("timer " + std::to_string(timerId) + " every " + std::to_string(periodMs) + " ms");
}

void SimWindow::ArmTimer(int timerId, unsigned periodMs) {
    m_timers[timerId] = m_scheduler.After(periodMs, [this, timerId, periodMs] {
        ArmTimer(timerId, periodMs);
        m_events.OnTimer(timerId);
    });
}

void SimWindow::KillTimer(int timerId) {
    const auto it = m_timers.find(timerId);
    if (it == m_timers.end()) {
        return;
    }
    m_scheduler.Cancel(it->second);
    m_timers.erase(it);
    Trace("kill timer " + std::to_string(timerId));
}

void SimWindow::End(int result) {
    if (m_ended) {
        return;
    }
    Abandon();
    m_ended = true;
    m_result = result;
    Trace("end " + std::to_string(result));
}

void SimWindow::Abandon() {
    if (m_paint) {
        m_scheduler.Cancel(*m_paint);
        m_paint.reset();
    }
    for (const auto& timer : m_timers) {
        m_scheduler.Cancel(timer.second);
    }
    m_timers.clear();
    m_visible = false;
}

std::intptr_t SimWindow::Send(unsigned message, std::uintptr_t, std::intptr_t lParam) {
    m_lastMessageParam[message] = lParam;
    return 0;
}

std::intptr_t SimWindow::LastMessageParam(unsigned message) const {
    const auto it = m_lastMessageParam.find(message);
    return it == m_lastMessageParam.end() ? 0 : it->second;
}

std::intptr_t SimWindow::SendToItem(int itemId, unsigned message, std::uintptr_t wParam,
                                    std::intptr_t lParam) {
    SimItem& item = Item(itemId);
    if (item.kind == "animation") {
        return AnimationMessage(itemId, message, lParam);
    }
    return item.kind == "progress" ? ProgressMessage(item, message, wParam, lParam) : 0;
}

int SimItem::PositionAt(std::uint64_t ms) const {
    int at = lower;
    for (const Position& change : positions) {
        if (change.fromMs > ms) {
            break;
        }
        at = change.position;
    }
    return at;
}

std::intptr_t SimWindow::ProgressMessage(SimItem& item, unsigned message, std::uintptr_t wParam,
                                         std::intptr_t lParam) {
    const std::intptr_t result = ProgressRule(item, message, wParam, lParam);
    if (item.positions.empty() || item.positions.back().position != item.position) {
        item.positions.push_back(SimItem::Position{m_scheduler.Now(), item.position});
    }
    return result;
}

// The common progress bar's own rules: positions are kept inside the range,
// and a step past the upper end wraps round to the lower one.
std::intptr_t SimWindow::ProgressRule(SimItem& item, unsigned message, std::uintptr_t wParam,
                                      std::intptr_t lParam) {
    const int previous = item.position;
    switch (message) {
        case PBM_SETRANGE:
            item.lower = static_cast<int>(lParam & 0xFFFF);
            item.upper = static_cast<int>((lParam >> 16) & 0xFFFF);
            item.position = item.position < item.lower   ? item.lower
                            : item.position > item.upper ? item.upper
                                                         : item.position;
            return 0;
        case PBM_SETPOS: {
            const int wanted = static_cast<int>(wParam);
            item.position = wanted < item.lower   ? item.lower
                            : wanted > item.upper ? item.upper
                                                  : wanted;
            return previous;
        }
        case PBM_STEPIT:
            item.position += item.step;
            if (item.position > item.upper && item.upper > item.lower) {
                item.position =
                    (item.position - item.lower) % (item.upper - item.lower) + item.lower;
            }
            return previous;
        case PBM_GETPOS:
            return item.position;
        default:
            return 0;
    }
}

// The animation control is asked to open a file (named by the pointer in
// lParam), which it does when the file is a RIFF "AVI " file, and to play
// it.
std::intptr_t SimWindow::AnimationMessage(int itemId, unsigned message, std::intptr_t lParam) {
    if (message == ACM_OPENA) {
        const char* path = reinterpret_cast<const char*>(lParam);
        Trace("animation " + std::to_string(itemId) + " open " + path);
        return m_files.HoldsRiff(path, "AVI ") ? 1 : 0;
    } else if (message == ACM_PLAY) {
        Trace("animation " + std::to_string(itemId) + " play " +
              std::to_string(static_cast<std::uint32_t>(lParam)));
    }
    return 0;
}

void SimWindow::RedrawItem(int itemId, unsigned) {
    ++Item(itemId).redraws;
}

void SimWindow::SubclassItem(int itemId, IControlEvents& events) {
    Item(itemId).events = &events;
}

}  // namespace kestavo::sim
