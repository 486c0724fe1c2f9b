#pragma once

namespace kestavo {

// What the process prepares once before its first window: Windows Sockets
// and the common controls. Nothing here shows anything.
class IStartupPort {
public:
    virtual ~IStartupPort() = default;

    // WSAStartup with the requested version; true only when the service
    // started and agreed to exactly that version.
    virtual bool StartSockets(unsigned short version) = 0;
    virtual void EnableThreeDimensionalControls() = 0;
    virtual void InitCommonControls() = 0;
};

}  // namespace kestavo
