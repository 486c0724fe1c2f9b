#pragma once

#include <memory>
#include <string>

#include "platform/IBrowserPort.h"
#include "platform/sim/SimScheduler.h"
#include "platform/sim/SimTrace.h"

namespace kestavo::sim {

// The web-browser control on the simulated machine: it records navigations
// and lets a test play the page's side (a link followed, a new window asked
// for) through the events of the newest control.
class SimBrowser : public IBrowserPort {
public:
    SimBrowser(const SimScheduler& scheduler, SimTrace& trace)
        : m_scheduler(scheduler), m_trace(trace) {}

    std::unique_ptr<IBrowserControl> CreateOverPlaceholder(IDialogWindow& parent, int itemId,
                                                           IBrowserEvents& events) override;

    // The page follows a link: the control asks its host first and goes
    // there unless the host cancels. True when it went.
    bool FollowLink(const std::string& url);
    // The page asks for a new window. True when one opened.
    bool AskForNewWindow();

    IBrowserEvents* events = nullptr;
    std::string location;
    bool registeredAsBrowser = false;

private:
    friend class SimBrowserControl;
    void Trace(const std::string& what) { m_trace.Add(m_scheduler.Now(), "browser: " + what); }

    const SimScheduler& m_scheduler;
    SimTrace& m_trace;
};

}  // namespace kestavo::sim
