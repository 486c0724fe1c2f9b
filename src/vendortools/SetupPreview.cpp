#include "vendortools/SetupPreview.h"

#include <optional>

#include "driver/SetupApp.h"
#include "vendortools/DecisionNarrator.h"
#include "vendortools/DryRunMachine.h"
#include "vendortools/Storyboard.h"
#include "vendortools/TimelineFormat.h"

namespace kestavo::vendortools {

namespace {

constexpr int kRestartDialog = 135;

// The user answers the restart dialog some time after it appears: every
// so often the dialog is looked for, until the program has ended.
class RestartAnswers {
public:
    RestartAnswers(sim::SimMachine& machine, const MachineProfile& profile)
        : m_machine(machine), m_profile(profile) {
        Schedule();
    }

private:
    void Schedule() {
        m_machine.scheduler.After(m_profile.restartAnswerMs, [this] { Answer(); });
    }
    void Answer() {
        if (!m_machine.dialogs.ProcessEnded()) {
            m_machine.dialogs.Press(kRestartDialog, m_profile.restartAnswer);
            Schedule();
        }
    }

    sim::SimMachine& m_machine;
    const MachineProfile& m_profile;
};

// The narrator hears each decision first, then whoever else listens.
class Listeners : public IDecisionObserver {
public:
    Listeners(IDecisionObserver& narrator, IDecisionObserver* other)
        : m_narrator(narrator), m_pOther(other) {}

    void Decided(Decision decision, const std::string* text, int number) override {
        m_narrator.Decided(decision, text, number);
        if (m_pOther != nullptr) {
            m_pOther->Decided(decision, text, number);
        }
    }

private:
    IDecisionObserver& m_narrator;
    IDecisionObserver* m_pOther;
};

}  // namespace

SetupPreview::SetupPreview(const SetupFolderImage& folder, const MachineProfile& machine)
    : m_folder(folder), m_machine(machine) {}

std::vector<TimelineEvent> SetupPreview::Run() {
    sim::SimMachine machine;
    m_folder.PutInto(machine, m_machine.setupFolder);
    m_machine.Apply(machine, m_folder.Programs());
    DecisionNarrator narrator(machine);
    Listeners listeners(narrator, m_pListener);
    std::optional<DryRunMachine> dryRun;
    if (m_pRealMachine != nullptr) {
        dryRun.emplace(*m_pRealMachine, machine);
    }
    Ports narrated = dryRun ? dryRun->GetPorts() : machine.GetPorts();
    narrated.observer = &listeners;
    const RestartAnswers answers(machine, m_machine);
    SetupApp app(narrated);
    app.InitInstance();
    m_exitCode = app.ExitCode();
    m_otherWindows = machine.processes.otherWindows;
    std::vector<TimelineEvent> events = TimelineFormat(machine).Events();
    m_storyboard = Storyboard(machine, m_folder).Html("The setup on " + m_machine.description);
    events.push_back(TimelineEvent{machine.scheduler.Now(), "end",
                                   "setup.exe ends with exit code " + std::to_string(m_exitCode)});
    return events;
}

}  // namespace kestavo::vendortools
