#pragma once

#include <memory>

#include "platform/IBrowserPort.h"

namespace kestavo::win32 {

// The platform's WebBrowser control hosted through COM by the program
// itself: client site, in-place site and frame, and an event sink for
// BeforeNavigate2 and NewWindow2.
class Win32Browser : public IBrowserPort {
public:
    std::unique_ptr<IBrowserControl> CreateOverPlaceholder(IDialogWindow& parent, int itemId,
                                                           IBrowserEvents& events) override;
};

}  // namespace kestavo::win32
