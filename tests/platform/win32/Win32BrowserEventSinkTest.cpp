#include "platform/win32/Win32BrowserEventSink.h"

#include <windows.h>

#include <exdispid.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestavo::win32 {
namespace {

class RefusingEvents : public IBrowserEvents {
public:
    void OnBeforeNavigate2(const std::string& url, bool& cancel) override {
        m_navigations.push_back(url);
        cancel = cancel || m_bRefuse;
    }
    void OnNewWindow2(bool& cancel) override {
        ++m_newWindows;
        cancel = true;
    }

    bool m_bRefuse = false;
    std::vector<std::string> m_navigations;
    int m_newWindows = 0;
};

// The browser's calls, made here as the control makes them. Wine's browser
// never asks its host about a new window (it opens one without asking), so
// this is the only place the request can be seen under Wine.
class Win32BrowserEventSinkTest : public ::testing::Test {
protected:
    void TearDown() override { m_sink->Release(); }

    void BeforeNavigate2(VARIANT& url, VARIANT_BOOL& cancel) {
        VARIANT arguments[7];
        for (VARIANT& argument : arguments) {
            VariantInit(&argument);
        }
        arguments[0].vt = VT_BYREF | VT_BOOL;
        arguments[0].pboolVal = &cancel;
        arguments[5] = url;
        Invoke(DISPID_BEFORENAVIGATE2, arguments, 7);
    }

    void Invoke(DISPID id, VARIANT* arguments, UINT count) {
        DISPPARAMS params{arguments, nullptr, count, 0};
        EXPECT_EQ(
            m_sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr),
            S_OK);
    }

    RefusingEvents m_events;
    Win32BrowserEventSink* m_sink = new Win32BrowserEventSink(m_events);
};

TEST_F(Win32BrowserEventSinkTest, NewWindowIsReportedAndRefused) {
    IDispatch* newBrowser = nullptr;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT arguments[2];
    arguments[0].vt = VT_BYREF | VT_BOOL;
    arguments[0].pboolVal = &cancel;
    arguments[1].vt = VT_BYREF | VT_DISPATCH;
    arguments[1].ppdispVal = &newBrowser;

    Invoke(DISPID_NEWWINDOW2, arguments, 2);

    EXPECT_EQ(m_events.m_newWindows, 1);
    EXPECT_EQ(cancel, VARIANT_TRUE);
    EXPECT_EQ(newBrowser, nullptr);
}

// The address comes by reference from the control and by value from some
// callers; the flag goes back as the automation true only when refused.
TEST_F(Win32BrowserEventSinkTest, NavigationArrivesWithItsAddressAndItsFlagWrittenBack) {
    VARIANT byValue;
    byValue.vt = VT_BSTR;
    byValue.bstrVal = SysAllocString(L"APP:close");
    VARIANT byReference;
    byReference.vt = VT_BYREF | VT_VARIANT;
    byReference.pvarVal = &byValue;
    VARIANT_BOOL refused = VARIANT_FALSE;
    VARIANT_BOOL allowed = VARIANT_FALSE;
    VARIANT_BOOL alreadyCancelled = VARIANT_TRUE;

    m_events.m_bRefuse = true;
    BeforeNavigate2(byReference, refused);
    m_events.m_bRefuse = false;
    BeforeNavigate2(byValue, allowed);
    BeforeNavigate2(byValue, alreadyCancelled);
    SysFreeString(byValue.bstrVal);

    EXPECT_EQ(refused, VARIANT_TRUE);
    EXPECT_EQ(allowed, VARIANT_FALSE);
    EXPECT_EQ(alreadyCancelled, VARIANT_TRUE);
    EXPECT_EQ(m_events.m_navigations, std::vector<std::string>(3, "APP:close"));
}

}  // namespace
}  // namespace kestavo::win32
