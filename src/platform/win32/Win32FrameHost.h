#pragma once

#include <windows.h>

#include <memory>

#include "platform/IFrameHost.h"

namespace kestavo::win32 {

// Frame windows of a window class of the program's own, with the icon and
// menu of resource 128.
class Win32FrameHost : public IFrameHost {
public:
    explicit Win32FrameHost(HINSTANCE instance) : m_instance(instance) {}

    std::unique_ptr<IFrameWindow> CreateFrame(IFrameEvents& events) override;

private:
    HINSTANCE m_instance;
};

}  // namespace kestavo::win32
