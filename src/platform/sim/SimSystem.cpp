#include "platform/sim/SimSystem.h"

namespace kestavo::sim {

bool SimSystem::StartSockets(unsigned short version) {
    const bool started = socketsAvailable && socketsVersion == version;
    Trace(started ? "sockets started" : "sockets failed");
    return started;
}

void SimSystem::EnableThreeDimensionalControls() {
    Trace("3d controls");
}

void SimSystem::InitCommonControls() {
    Trace("common controls");
}

}  // namespace kestavo::sim
