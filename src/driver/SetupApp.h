#pragma once

#include <cstdint>

#include "platform/Ports.h"
#include "prereq/LanguageSelection.h"

namespace kestavo {

// The application object: its initialisation is the whole program.
class SetupApp {
public:
    explicit SetupApp(Ports& ports) : m_ports(ports), m_language(ports) {}

    // Prepares the process, runs the start-up steps and the progress dialog.
    // Always false: the program ends when it returns, without a message loop.
    bool InitInstance();

    // What the process ends with, for the scripts that deploy setups: the
    // package installer's own exit code when it ran (all 32 bits of it: a
    // crashed installer's 0xC0000005 too), 1602 when the user cancelled,
    // 1603 when the installation was stopped, the installer could not be
    // started or waited for, or the dialog could not be created, 0
    // otherwise.
    std::uint32_t ExitCode() const { return m_nExitCode; }

    static constexpr std::uint32_t kExitUserCancelled = 1602;
    static constexpr std::uint32_t kExitInstallFailure = 1603;

private:
    Ports& m_ports;
    LanguageSelection m_language;
    std::uint32_t m_nExitCode = 0;
};

}  // namespace kestavo
