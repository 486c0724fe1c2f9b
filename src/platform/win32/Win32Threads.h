#pragma once

#include <functional>
#include <string>

#include "platform/IThreadPort.h"

namespace kestavo::win32 {

// Real threads, detached: each ends with its body or with the process.
class Win32Threads : public IThreadPort {
public:
    void BeginThread(const std::string& name, std::function<void()> body) override;
};

}  // namespace kestavo::win32
