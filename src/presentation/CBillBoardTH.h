#pragma once

#include "framework/UiThread.h"
#include "platform/Ports.h"

namespace kestavo {

// The billboard thread: runs the slideshow and ends with it.
class CBillBoardTH : public UiThread {
public:
    explicit CBillBoardTH(Ports& ports) : m_ports(ports) {}

    bool InitInstance() override;

private:
    Ports& m_ports;
};

}  // namespace kestavo
