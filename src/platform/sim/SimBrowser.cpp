#include "platform/sim/SimBrowser.h"

namespace kestavo::sim {

// The control as its host holds it.
class SimBrowserControl : public IBrowserControl {
public:
    explicit SimBrowserControl(SimBrowser& browser) : m_browser(browser) {}
    ~SimBrowserControl() override { m_browser.events = nullptr; }

    void Navigate(const std::string& url) override { m_browser.FollowLink(url); }
    void SetRegisterAsBrowser(bool value) override { m_browser.registeredAsBrowser = value; }

private:
    SimBrowser& m_browser;
};

// The placeholder's place and id go to the control; a missing placeholder
// makes none.
std::unique_ptr<IBrowserControl> SimBrowser::CreateOverPlaceholder(IDialogWindow& parent,
                                                                   int itemId,
                                                                   IBrowserEvents& hostEvents) {
    Rect rect;
    try {
        rect = parent.ItemRect(itemId);
    } catch (const std::exception&) {
        Trace("no placeholder " + std::to_string(itemId));
        return nullptr;
    }
    events = &hostEvents;
    Trace("created as item " + std::to_string(itemId) + " at (" + std::to_string(rect.left) + ", " +
          std::to_string(rect.top) + ", " + std::to_string(rect.Width()) + " x " +
          std::to_string(rect.Height()) + ")");
    return std::make_unique<SimBrowserControl>(*this);
}

bool SimBrowser::FollowLink(const std::string& url) {
    bool cancel = false;
    if (events != nullptr) {
        events->OnBeforeNavigate2(url, cancel);
    }
    Trace((cancel ? "cancelled " : "navigated ") + url);
    if (!cancel) {
        location = url;
    }
    return !cancel;
}

bool SimBrowser::AskForNewWindow() {
    bool cancel = false;
    if (events != nullptr) {
        events->OnNewWindow2(cancel);
    }
    Trace(cancel ? "new window refused" : "new window opened");
    return !cancel;
}

}  // namespace kestavo::sim
