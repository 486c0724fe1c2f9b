#include "platform/win32/Win32Browser.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/Win32BrowserControl.h"
#include "platform/win32/Win32DialogWindow.h"

namespace kestavo::win32 {
namespace {

const int kPlaceholderId = 1003;
const int kLabelId = 1001;

// Records every navigation and refuses those whose address starts with
// `m_cancelPrefix`, as the program does with its own commands.
class RecordingEvents : public IBrowserEvents {
public:
    void OnBeforeNavigate2(const std::string& url, bool& cancel) override {
        m_navigations.push_back(url);
        if (!m_cancelPrefix.empty() && url.rfind(m_cancelPrefix, 0) == 0) {
            cancel = true;
        }
    }
    void OnNewWindow2(bool& cancel) override { cancel = true; }

    std::string m_cancelPrefix;
    std::vector<std::string> m_navigations;
};

// Runs the thread's messages, where the browser does its work, until `done`
// or the time limit.
template <typename Done>
bool PumpUntil(Done done, DWORD timeoutMs = 5000) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (done()) {
            return true;
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    }
}

void PumpPending() {
    PumpUntil([] { return true; });
}

// True while the thread is in a single-threaded apartment: it cannot join
// the multithreaded one then.
bool ThreadHasOle() {
    const HRESULT joined = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(joined)) {
        CoUninitialize();
    }
    return joined == RPC_E_CHANGED_MODE;
}

using ChildList = std::vector<std::pair<HWND, Rect>>;

class Win32BrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dialog = CreateWindowExA(0, "#32770", "splash", WS_POPUP | WS_VISIBLE, 0, 0, 700, 520,
                                   nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(m_dialog, nullptr);
        AddStatic(kLabelId, 5, 5, 100, 20);
        AddStatic(kPlaceholderId, 20, 30, 640, 450);
        m_window = std::make_unique<Win32DialogWindow>(m_dialog);
        WritePage();
    }

    void TearDown() override {
        m_control.reset();
        if (IsWindow(m_dialog)) {
            DestroyWindow(m_dialog);
        }
        DeleteFileA(m_pagePath.c_str());
    }

    void AddStatic(int id, int x, int y, int width, int height) {
        CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, x, y, width, height, m_dialog,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        GetModuleHandleA(nullptr), nullptr);
    }

    void WritePage() {
        char folder[MAX_PATH + 1] = {};
        GetTempPathA(sizeof folder, folder);
        m_pagePath = std::string(folder) + "kestavo-browser-" +
                     std::to_string(GetCurrentProcessId()) + ".htm";
        const HANDLE file = CreateFileA(m_pagePath.c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        const char page[] = "<html><body>splash</body></html>";
        DWORD written = 0;
        WriteFile(file, page, sizeof page - 1, &written, nullptr);
        CloseHandle(file);
        m_pageUrl = "file:///" + m_pagePath;
        for (char& c : m_pageUrl) {
            c = c == '\\' ? '/' : c;
        }
    }

    Win32BrowserControl* Create(int itemId) {
        m_control = m_browsers.CreateOverPlaceholder(*m_window, itemId, m_events);
        return dynamic_cast<Win32BrowserControl*>(m_control.get());
    }

    ChildList Children() const {
        ChildList children;
        for (HWND child = GetWindow(m_dialog, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            children.emplace_back(child, m_window->ItemRect(GetDlgCtrlID(child)));
        }
        return children;
    }

    // Navigates to the test's page and waits until the browser is there.
    std::string OpenPage(Win32BrowserControl& control) {
        control.Navigate(m_pageUrl);
        const std::string name = m_pagePath.substr(m_pagePath.rfind('\\') + 1);
        EXPECT_TRUE(PumpUntil([&] {
            return control.LocationUrl().find(name) != std::string::npos;
        })) << control.LocationUrl();
        return control.LocationUrl();
    }

    HWND m_dialog = nullptr;
    std::unique_ptr<Win32DialogWindow> m_window;
    std::string m_pagePath;
    std::string m_pageUrl;
    RecordingEvents m_events;
    Win32Browser m_browsers;
    std::unique_ptr<IBrowserControl> m_control;
};

TEST_F(Win32BrowserTest, BrowserTakesThePlaceholdersRectangleAndIdAndFillsIt) {
    const HWND placeholder = GetDlgItem(m_dialog, kPlaceholderId);
    const Rect place = m_window->ItemRect(kPlaceholderId);

    ASSERT_NE(Create(kPlaceholderId), nullptr);

    EXPECT_FALSE(IsWindow(placeholder));
    const HWND host = GetDlgItem(m_dialog, kPlaceholderId);
    ASSERT_NE(host, nullptr);
    EXPECT_NE(host, placeholder);
    EXPECT_EQ(m_window->ItemRect(kPlaceholderId), place);
    EXPECT_EQ(GetWindowLongA(host, GWL_STYLE) & (WS_CHILD | WS_VISIBLE | WS_POPUP),
              WS_CHILD | WS_VISIBLE);

    // Active in place: the browser's own window covers the host's client area.
    const HWND browserWindow = GetWindow(host, GW_CHILD);
    ASSERT_NE(browserWindow, nullptr);
    RECT hostArea{};
    RECT browserArea{};
    GetClientRect(host, &hostArea);
    GetWindowRect(browserWindow, &browserArea);
    MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&browserArea), 2);
    EXPECT_TRUE(EqualRect(&hostArea, &browserArea));
}

TEST_F(Win32BrowserTest, MissingPlaceholderGivesNoControlAndLeavesTheDialogAlone) {
    const ChildList before = Children();

    EXPECT_EQ(m_browsers.CreateOverPlaceholder(*m_window, 1004, m_events), nullptr);

    EXPECT_EQ(Children(), before);
    EXPECT_FALSE(ThreadHasOle());
}

TEST_F(Win32BrowserTest, NavigationIsReportedWithItsAddressBeforeItHappens) {
    Win32BrowserControl* control = Create(kPlaceholderId);
    ASSERT_NE(control, nullptr);

    OpenPage(*control);

    // Wine reports a file address as the path it names, as Windows does for
    // some versions of the control; either is the page asked for.
    ASSERT_EQ(m_events.m_navigations.size(), 1u);
    const std::string& reported = m_events.m_navigations[0];
    EXPECT_TRUE(reported == m_pageUrl || reported == m_pagePath) << reported;
}

TEST_F(Win32BrowserTest, RefusedAppAddressKeepsTheBrowserOnItsPage) {
    Win32BrowserControl* control = Create(kPlaceholderId);
    ASSERT_NE(control, nullptr);
    const std::string page = OpenPage(*control);
    m_events.m_cancelPrefix = "APP:";

    control->Navigate("APP:close");
    ASSERT_TRUE(PumpUntil([&] { return m_events.m_navigations.size() == 2; }));
    EXPECT_EQ(m_events.m_navigations.back(), "APP:close");
    PumpPending();
    EXPECT_EQ(control->LocationUrl(), page);

    // Not refused, the same address does move the browser.
    m_events.m_cancelPrefix.clear();
    control->Navigate("APP:close");
    EXPECT_TRUE(PumpUntil([&] { return control->LocationUrl() != page; }));
}

TEST_F(Win32BrowserTest, DestroyingTheDialogReleasesTheBrowserAndTheThreadsOle) {
    Win32BrowserControl* control = Create(kPlaceholderId);
    ASSERT_NE(control, nullptr);
    OpenPage(*control);
    EXPECT_TRUE(ThreadHasOle());

    DestroyWindow(m_dialog);

    EXPECT_EQ(control->LocationUrl(), "");
    EXPECT_FALSE(ThreadHasOle());
}

TEST_F(Win32BrowserTest, DroppingTheControlTakesItsWindowAlong) {
    ASSERT_NE(Create(kPlaceholderId), nullptr);

    m_control.reset();

    EXPECT_EQ(GetDlgItem(m_dialog, kPlaceholderId), nullptr);
    EXPECT_NE(GetDlgItem(m_dialog, kLabelId), nullptr);
    EXPECT_FALSE(ThreadHasOle());
}

TEST_F(Win32BrowserTest, ThreadThatStartedOleKeepsItAfterTheBrowserHasGone) {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    ASSERT_NE(Create(kPlaceholderId), nullptr);

    DestroyWindow(m_dialog);

    EXPECT_TRUE(ThreadHasOle());
    OleUninitialize();
}

TEST_F(Win32BrowserTest, ThreadInTheMultithreadedApartmentGetsNoBrowser) {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);

    EXPECT_EQ(Create(kPlaceholderId), nullptr);

    EXPECT_EQ(GetDlgItem(m_dialog, kPlaceholderId), nullptr);
    CoUninitialize();
}

}  // namespace
}  // namespace kestavo::win32
