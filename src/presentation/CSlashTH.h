#pragma once

#include "framework/UiThread.h"
#include "platform/Ports.h"

namespace kestavo {

// The splash thread: runs the splash dialog and, once it has ended, lets
// the progress dialog go on to the installation.
class CSlashTH : public UiThread {
public:
    explicit CSlashTH(Ports& ports) : m_ports(ports) {}

    bool InitInstance() override;

private:
    Ports& m_ports;
};

}  // namespace kestavo
