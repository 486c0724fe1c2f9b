#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/IDecisionObserver.h"
#include "platform/MachineReadPorts.h"
#include "vendortools/MachineProfile.h"
#include "vendortools/SetupFolderImage.h"

namespace kestavo::vendortools {

// One moment of a previewed run.
struct TimelineEvent {
    std::uint64_t ms = 0;
    // "window", "program", "action", "message", "media", "step", "end".
    std::string kind;
    std::string text;
};

// Runs the real program logic on a simulated machine made after a machine
// profile, with the vendor's setup folder as the folder it starts in, and
// tells the run as a timeline: windows with their texts, places and sizes,
// programs with their command lines, folders and run times, message boxes
// with the answer given, and the exit code; and among them each decision
// the program reported as it made it (each advanced-action record's
// condition, its answer and why, what it did or skipped and why; each step
// not taken and why; each picture, sound or animation not shown and why).
// The clock is virtual: nothing waits.
class SetupPreview {
public:
    SetupPreview(const SetupFolderImage& folder, const MachineProfile& machine);

    // A dry run on a real machine: the program's questions are answered by
    // its read ports instead of the profile (see DryRunMachine), and the
    // profile says only how the effects go (how long programs run, how the
    // user answers). Nothing the program does reaches the real machine.
    void AskInstead(const MachineReadPorts& machine) { m_pRealMachine = &machine; }
    // Someone else hears every decision too, after the timeline has.
    void AlsoTell(IDecisionObserver& observer) { m_pListener = &observer; }

    std::vector<TimelineEvent> Run();
    std::uint32_t ExitCode() const { return m_exitCode; }
    // The run's screens as an HTML page (see Storyboard), once it has run.
    const std::string& StoryboardHtml() const { return m_storyboard; }
    // Other programs' windows the simulated machine knew when the run
    // ended: the profile's, and on a dry run those the program found on the
    // real machine.
    const std::vector<TopLevelWindow>& OtherWindows() const { return m_otherWindows; }

private:
    const SetupFolderImage& m_folder;
    const MachineProfile& m_machine;
    const MachineReadPorts* m_pRealMachine = nullptr;
    IDecisionObserver* m_pListener = nullptr;
    std::uint32_t m_exitCode = 0;
    std::string m_storyboard;
    std::vector<TopLevelWindow> m_otherWindows;
};

}  // namespace kestavo::vendortools
