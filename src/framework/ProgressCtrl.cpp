#include "framework/ProgressCtrl.h"

#include "platform/WinConst.h"

namespace kestavo {

void ProgressCtrl::Attach(IDialogWindow& window, int itemId) {
    m_window = &window;
    m_itemId = itemId;
}

void ProgressCtrl::SetPos(int position) {
    Send(PBM_SETPOS, static_cast<std::uintptr_t>(position), 0);
}

void ProgressCtrl::SetRange(int lower, int upper) {
    // PBM_SETRANGE packs both bounds into one 16-bit pair.
    Send(PBM_SETRANGE, 0, static_cast<std::intptr_t>((lower & 0xFFFF) | ((upper & 0xFFFF) << 16)));
}

void ProgressCtrl::StepIt() {
    Send(PBM_STEPIT, 0, 0);
}

int ProgressCtrl::GetPos() {
    return static_cast<int>(Send(PBM_GETPOS, 0, 0));
}

std::intptr_t ProgressCtrl::Send(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    return m_window == nullptr ? 0 : m_window->SendToItem(m_itemId, message, wParam, lParam);
}

}  // namespace kestavo
