#pragma once

#include <functional>
#include <string>

namespace kestavo {

// Starts the program's user-interface threads. Each runs its body (one modal
// dialog) and ends with it; the caller keeps no handle and never stops it.
class IThreadPort {
public:
    virtual ~IThreadPort() = default;

    virtual void BeginThread(const std::string& name, std::function<void()> body) = 0;
};

}  // namespace kestavo
