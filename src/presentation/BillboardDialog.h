#pragma once

#include <array>
#include <string>

#include "framework/Dialog.h"
#include "platform/Ports.h"
#include "presentation/PictureLoader.h"

namespace kestavo {

// The billboard slideshow: each of up to 20 pictures for its own time at its
// own place on the screen; the window closes after the last one.
class BillboardDialog : public Dialog {
public:
    explicit BillboardDialog(Ports& ports);

    static constexpr int kMaxBillboards = 20;

protected:
    bool OnInitDialog() override;
    void OnTimer(int timerId) override;
    void OnPaint(IDeviceContext& dc) override;

private:
    static constexpr int kNextTimer = 1;

    void ShowBillboard(int index);
    unsigned TimeOf(int index) const;

    Ports& m_ports;
    std::array<std::string, kMaxBillboards> m_strPicture;
    std::array<std::string, kMaxBillboards> m_strTime;
    std::array<std::string, kMaxBillboards> m_strX;
    std::array<std::string, kMaxBillboards> m_strY;
    int m_nTotal = 0;
    int m_nCurrent = 0;
    int m_nX = 1;
    int m_nY = 1;
    PictureLoader m_picture;
};

}  // namespace kestavo
