#include "platform/sim/SimSystem.h"

namespace kestavo::sim {

std::string SimSystem::EnvironmentVariable(const std::string& name) {
    const auto it = environment.find(name);
    return it == environment.end() ? std::string() : it->second;
}

std::string SimSystem::SpecialFolderPath(int csidl) {
    const auto it = specialFolders.find(csidl);
    return it == specialFolders.end() ? std::string() : it->second;
}

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
