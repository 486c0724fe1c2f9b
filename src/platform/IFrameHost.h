#pragma once

#include <memory>
#include <string>

#include "platform/IGdiPort.h"
#include "platform/Types.h"

namespace kestavo {

// What a frame window hears of its own window.
class IFrameEvents {
public:
    virtual ~IFrameEvents() = default;

    // WM_ERASEBKGND; true when the background was erased.
    virtual bool OnEraseBkgnd(IDeviceContext& dc) = 0;
    virtual void OnPaint() = 0;
    virtual void OnSetFocus() = 0;
    virtual void OnLButtonDown() = 0;
};

// A top-level frame window of the program.
class IFrameWindow {
public:
    virtual ~IFrameWindow() = default;

    virtual Handle Get() = 0;
    virtual Rect ClientRect() = 0;
    // Removes style bits (GWL_STYLE) and adds extended style bits
    // (GWL_EXSTYLE), changing nothing else: no z-order call, no frame
    // recalculation.
    virtual void RemoveStyle(unsigned long style) = 0;
    virtual void AddExStyle(unsigned long exStyle) = 0;
    virtual void Show(int showCommand) = 0;
    virtual void RemoveMenu() = 0;
    virtual void SetTitle(const std::string& title) = 0;
    virtual void Update() = 0;
    // Invalidates the whole client area, erasing the background first.
    virtual void Invalidate() = 0;
};

// Creates frame windows from the program's resources: resource 128 gives
// the icon and the menu. The window lives until the process ends.
class IFrameHost {
public:
    virtual ~IFrameHost() = default;

    virtual std::unique_ptr<IFrameWindow> CreateFrame(IFrameEvents& events) = 0;
};

}  // namespace kestavo
