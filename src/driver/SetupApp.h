#pragma once

#include "platform/Ports.h"

namespace kestavo {

// The application object: its initialisation is the whole program.
class SetupApp {
public:
    explicit SetupApp(Ports& ports) : m_ports(ports) {}

    // Prepares the process, runs the start-up steps and the progress dialog.
    // Always false: the program ends when it returns, without a message loop.
    bool InitInstance();

private:
    void ShowMessage(int stringId);

    Ports& m_ports;
};

}  // namespace kestavo
