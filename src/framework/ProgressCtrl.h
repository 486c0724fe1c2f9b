#pragma once

#include <cstdint>

#include "platform/IDialogHost.h"

namespace kestavo {

// A progress bar control of a dialog, spoken to through its messages.
class ProgressCtrl {
public:
    void Attach(IDialogWindow& window, int itemId);

    void SetPos(int position);
    void SetRange(int lower, int upper);
    void StepIt();
    int GetPos();

private:
    std::intptr_t Send(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

    IDialogWindow* m_window = nullptr;
    int m_itemId = 0;
};

}  // namespace kestavo
