#include "platform/sim/SimDialogHost.h"

#include "platform/WinConst.h"
#include "platform/sim/SimDeviceContext.h"
#include "platform/sim/SimTemplates.h"

namespace kestavo::sim {

int SimDialogHost::RunModal(int templateId, IDialogEvents& events) {
    if (failingTemplates.count(templateId) != 0) {
        m_trace.Add(m_scheduler.Now(), "dialog " + std::to_string(templateId) + ": create failed");
        return kDialogFailed;
    }
    const auto& templates = ProgramTemplates();
    const auto found = templates.find(templateId);
    SimTemplate layout = found == templates.end() ? SimTemplate() : found->second;
    const auto size = windowSizes.find(templateId);
    if (size != windowSizes.end()) {
        layout.width = size->second.first;
        layout.height = size->second.second;
    }
    const Handle handle = 0x10000 + m_windows.size();
    m_windows.push_back(std::make_unique<SimWindow>(templateId, handle, layout, events, m_scheduler,
                                                    m_trace, m_files));
    SimWindow& window = *m_windows.back();
    // The process's main window is the outermost of its first thread's
    // dialogs; other threads' dialogs come and go beside it.
    const bool firstThread = m_scheduler.Current() == SimScheduler::kFirstThread;
    const bool mainWindow = firstThread && m_depth++ == 0;
    m_trace.Add(m_scheduler.Now(), "dialog " + std::to_string(templateId) + ": create");

    events.OnInitDialog(window);
    if (!window.Ended()) {
        window.Show(5);
    }
    Pump(window);
    if (firstThread) {
        --m_depth;
    }
    // The window is destroyed with its modal run, and its timers with it,
    // even those set after the dialog was ended.
    window.Abandon();
    if (mainWindow) {
        m_processEnded = true;
        m_scheduler.StopOtherThreads();
    }
    return window.Ended() ? window.Result() : -1;
}

// The dialog's message loop: its thread's own tasks, until it ends or the
// process does.
void SimDialogHost::Pump(SimWindow& window) {
    const SimScheduler::Condition over = [this, &window] {
        return window.Ended() || m_processEnded;
    };
    while (!over()) {
        const SimScheduler::Wake wake = m_scheduler.Block(true, limitMs, over);
        if (wake == SimScheduler::Wake::Task) {
            m_scheduler.RunDue();
        } else if (wake != SimScheduler::Wake::Ready) {
            if (wake == SimScheduler::Wake::Deadline) {
                m_trace.Add(m_scheduler.Now(),
                            "dialog " + std::to_string(window.TemplateId()) + ": hung");
            }
            return;
        }
    }
}

Handle SimDialogHost::LoadIconResource(int resourceId) {
    return 0x20000 + resourceId;
}

std::string SimDialogHost::LoadStringResource(int resourceId) {
    const auto& strings = ProgramStrings();
    const auto it = strings.find(resourceId);
    return it == strings.end() ? std::string() : it->second;
}

SimWindow* SimDialogHost::Find(int templateId) {
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it) {
        if ((*it)->TemplateId() == templateId) {
            return it->get();
        }
    }
    return nullptr;
}

SimWindow* SimDialogHost::Live(int templateId) {
    SimWindow* window = Find(templateId);
    return window != nullptr && !window->Ended() && !m_processEnded ? window : nullptr;
}

bool SimDialogHost::Press(int templateId, int commandId) {
    SimWindow* window = Live(templateId);
    if (window == nullptr) {
        return false;
    }
    m_trace.Add(m_scheduler.Now(), "user presses " + std::to_string(commandId) + " in dialog " +
                                       std::to_string(templateId));
    window->Events().OnCommand(commandId);
    return true;
}

bool SimDialogHost::Paint(int templateId) {
    SimWindow* window = Live(templateId);
    if (window == nullptr) {
        return false;
    }
    SimDeviceContext dc(0x30000, m_scheduler, m_trace);
    window->Events().OnPaint(dc);
    return true;
}

}  // namespace kestavo::sim
