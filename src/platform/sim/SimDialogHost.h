#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "platform/IDialogHost.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimScheduler.h"
#include "platform/sim/SimTrace.h"
#include "platform/sim/SimWindow.h"

namespace kestavo::sim {

// Runs the program's dialogs on the simulated machine. A modal run runs its
// thread's tasks as the scheduler gives them until its dialog ends; other
// threads' dialogs take turns with it. When the first dialog of the process
// ends, the process is over: every other thread stops with it.
class SimDialogHost : public IDialogHost {
public:
    SimDialogHost(SimScheduler& scheduler, SimTrace& trace, const SimFiles& files)
        : m_scheduler(scheduler), m_trace(trace), m_files(files) {}

    int RunModal(int templateId, IDialogEvents& events) override;
    Handle LoadIconResource(int resourceId) override;
    std::string LoadStringResource(int resourceId) override;

    // The newest window made from `templateId`, live or ended; null if none.
    SimWindow* Find(int templateId);
    // The user clicks a button (or presses Enter or Escape) in the live
    // window of `templateId`. False when no such window is live.
    bool Press(int templateId, int commandId);
    // The window of `templateId` is painted. False when none is live.
    bool Paint(int templateId);

    // A run that reaches this virtual time without its dialog ending is
    // given up as hung.
    std::uint64_t limitMs = 3600 * 1000;
    // Templates whose dialogs cannot be created: their modal runs return
    // kDialogFailed at once.
    std::set<int> failingTemplates;
    // Window sizes in pixels that replace a template's own, by template id.
    std::map<int, std::pair<int, int>> windowSizes;
    bool ProcessEnded() const { return m_processEnded; }

private:
    SimWindow* Live(int templateId);
    void Pump(SimWindow& window);

    SimScheduler& m_scheduler;
    SimTrace& m_trace;
    const SimFiles& m_files;
    std::vector<std::unique_ptr<SimWindow>> m_windows;
    int m_depth = 0;
    bool m_processEnded = false;
};

}  // namespace kestavo::sim
