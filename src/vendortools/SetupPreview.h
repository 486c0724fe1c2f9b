#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vendortools/MachineProfile.h"
#include "vendortools/SetupFolderImage.h"

namespace kestavo::vendortools {

// One moment of a previewed run.
struct TimelineEvent {
    std::uint64_t ms = 0;
    // "window", "program", "action", "message", "media", "installer", "end".
    std::string kind;
    std::string text;
};

// Runs the real program logic on a simulated machine made after a machine
// profile, with the vendor's setup folder as the folder it starts in, and
// tells the run as a timeline: windows with their texts, places and sizes,
// programs with their command lines, folders and run times, each advanced
// action with its condition's answer and why, message boxes with the answer
// given, and the exit code. The clock is virtual: nothing waits.
class SetupPreview {
public:
    SetupPreview(const SetupFolderImage& folder, const MachineProfile& machine);

    std::vector<TimelineEvent> Run();
    std::uint32_t ExitCode() const { return m_exitCode; }
    // The run's screens as an HTML page (see Storyboard), once it has run.
    const std::string& StoryboardHtml() const { return m_storyboard; }

private:
    const SetupFolderImage& m_folder;
    const MachineProfile& m_machine;
    std::uint32_t m_exitCode = 0;
    std::string m_storyboard;
};

}  // namespace kestavo::vendortools
