#pragma once

#include <memory>
#include <string>

#include "platform/IBrowserPort.h"

namespace kestavo {

// A web page as a child control of a dialog, in the place of a placeholder
// item. It never lets a page open a new window, and turns links to "app:"
// addresses into commands for the program instead of navigations.
class CHtmlCtrl : public IBrowserEvents {
public:
    explicit CHtmlCtrl(IBrowserPort& browsers) : m_browsers(browsers) {}

    // Nonzero when the control was created over the parent's item `id`.
    int CreateOverPlaceholder(unsigned id, IDialogWindow& parent);
    // Navigates a created control; does nothing on one that was not made.
    void Navigate(const std::string& url);

    void OnBeforeNavigate2(const std::string& url, bool& cancel) override;
    void OnNewWindow2(bool& cancel) override;
    // The text of an "app:" address after its prefix.
    virtual void OnAppCommand(const std::string& command);

private:
    IBrowserPort& m_browsers;
    std::unique_ptr<IBrowserControl> m_browser;
};

}  // namespace kestavo
