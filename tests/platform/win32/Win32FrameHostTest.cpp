#include "platform/win32/Win32FrameHost.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestavo::win32 {
namespace {

// Writes down what the frame window hears, in order.
class RecordingEvents : public IFrameEvents {
public:
    bool OnEraseBkgnd(IDeviceContext& dc) override {
        heard.push_back(dc.Get() != kNullHandle ? "erase" : "erase without context");
        return erases;
    }
    void OnPaint() override { heard.push_back("paint"); }
    void OnSetFocus() override { heard.push_back("focus"); }
    void OnLButtonDown() override { heard.push_back("click"); }

    bool erases = true;
    std::vector<std::string> heard;
};

class Win32FrameHostTest : public testing::Test {
protected:
    void SetUp() override {
        m_frame = m_host.CreateFrame(m_events);
        m_window = reinterpret_cast<HWND>(m_frame->Get());
        ASSERT_NE(m_window, nullptr);
    }

    void TearDown() override {
        m_frame.reset();
        DestroyWindow(m_window);
    }

    Win32FrameHost m_host{GetModuleHandleA(nullptr)};
    RecordingEvents m_events;
    std::unique_ptr<IFrameWindow> m_frame;
    HWND m_window = nullptr;
};

TEST_F(Win32FrameHostTest, EraseComesBeforePaintAndThePaintCycleValidates) {
    m_frame->Show(SW_SHOWNORMAL);
    m_frame->Update();
    for (const bool erases : {true, false}) {
        m_events.heard.clear();
        m_events.erases = erases;
        m_frame->Invalidate();
        m_frame->Update();
        EXPECT_EQ(m_events.heard, (std::vector<std::string>{"erase", "paint"}));
        EXPECT_FALSE(GetUpdateRect(m_window, nullptr, FALSE)) << "paint left the window invalid";
    }
}

TEST_F(Win32FrameHostTest, FocusAndClicksReachTheHandlers) {
    m_frame->Show(SW_SHOWNORMAL);
    SetFocus(nullptr);
    m_events.heard.clear();
    SetFocus(m_window);
    SendMessageA(m_window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(m_events.heard, (std::vector<std::string>{"focus", "click"}));
}

TEST_F(Win32FrameHostTest, StyleChangesTouchOnlyTheBitsAsked) {
    const LONG style = GetWindowLongA(m_window, GWL_STYLE);
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    RECT before{};
    GetWindowRect(m_window, &before);

    m_frame->RemoveStyle(WS_CAPTION);
    m_frame->AddExStyle(WS_EX_APPWINDOW);

    EXPECT_EQ(GetWindowLongA(m_window, GWL_STYLE), style & ~WS_CAPTION);
    EXPECT_TRUE(GetWindowLongA(m_window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    RECT after{};
    GetWindowRect(m_window, &after);
    EXPECT_TRUE(EqualRect(&before, &after)) << "the window moved or was resized";
}

TEST_F(Win32FrameHostTest, TitleAndClientArea) {
    m_frame->SetTitle("Morlenby Kestavo");
    char title[64] = {};
    GetWindowTextA(m_window, title, sizeof title);
    EXPECT_STREQ(title, "Morlenby Kestavo");

    MoveWindow(m_window, 0, 0, 300, 200, FALSE);
    RECT client{};
    GetClientRect(m_window, &client);
    const Rect rect = m_frame->ClientRect();
    EXPECT_EQ(rect, (Rect{0, 0, client.right, client.bottom}));
}

TEST_F(Win32FrameHostTest, WindowOutlivesItsObjectAndNoLongerCallsBack) {
    m_frame.reset();
    ASSERT_TRUE(IsWindow(m_window));
    SendMessageA(m_window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    ShowWindow(m_window, SW_SHOWNORMAL);
    UpdateWindow(m_window);
    EXPECT_TRUE(m_events.heard.empty());
}

}  // namespace
}  // namespace kestavo::win32
