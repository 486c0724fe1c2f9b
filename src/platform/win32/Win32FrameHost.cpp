#include "platform/win32/Win32FrameHost.h"

#include "platform/win32/Win32DeviceContext.h"
#include "platform/win32/Win32FrameWindow.h"

namespace kestavo::win32 {

namespace {

const char kFrameClass[] = "KestavoFrame";
constexpr int kFrameResource = 128;

IFrameEvents* EventsOf(HWND frame) {
    return reinterpret_cast<IFrameEvents*>(GetWindowLongPtrA(frame, GWLP_USERDATA));
}

// The paint handler draws through a client-area context of its own; the
// paint cycle around it validates the update region.
LRESULT PaintFrame(HWND frame, IFrameEvents& events) {
    PAINTSTRUCT paint{};
    BeginPaint(frame, &paint);
    events.OnPaint();
    EndPaint(frame, &paint);
    return 0;
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    IFrameEvents* events = EventsOf(frame);
    if (events == nullptr) {
        return DefWindowProcA(frame, message, wParam, lParam);
    }
    switch (message) {
        case WM_ERASEBKGND: {
            Win32DeviceContext context(reinterpret_cast<HDC>(wParam));
            if (events->OnEraseBkgnd(context)) {
                return 1;
            }
            break;
        }
        case WM_PAINT:
            return PaintFrame(frame, *events);
        case WM_SETFOCUS: {
            const LRESULT result = DefWindowProcA(frame, message, wParam, lParam);
            events->OnSetFocus();
            return result;
        }
        case WM_LBUTTONDOWN:
            events->OnLButtonDown();
            break;
        default:
            break;
    }
    return DefWindowProcA(frame, message, wParam, lParam);
}

void RegisterFrameClass(HINSTANCE instance) {
    WNDCLASSA existing{};
    if (GetClassInfoA(instance, kFrameClass, &existing)) {
        return;
    }
    WNDCLASSA frameClass{};
    frameClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    frameClass.lpfnWndProc = &FrameProc;
    frameClass.hInstance = instance;
    frameClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kFrameResource));
    frameClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    frameClass.lpszClassName = kFrameClass;
    RegisterClassA(&frameClass);
}

}  // namespace

std::unique_ptr<IFrameWindow> Win32FrameHost::CreateFrame(IFrameEvents& events) {
    RegisterFrameClass(m_instance);
    const HWND frame = CreateWindowExA(0, kFrameClass, "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                                       LoadMenuA(m_instance, MAKEINTRESOURCEA(kFrameResource)),
                                       m_instance, &events);
    return std::make_unique<Win32FrameWindow>(frame);
}

}  // namespace kestavo::win32
