#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "vendortools/CodePage.h"
#include "vendortools/MachineProfile.h"
#include "vendortools/SetupPreview.h"

namespace kestavo::vendortools {

// setup-preview's command line:
//
//   setup-preview FOLDER [--machine NAME|FILE] [--json] [--codepage N]
//                 [--storyboard FILE.html]
//
// runs the setup folder on the machine and prints the timeline, as text or
// JSON, in UTF-8 converted from the machine's ANSI code page (1252 unless
// the machine file or --codepage names another); the storyboard is written
// in UTF-8 too.
class SetupPreviewCommand {
public:
    static constexpr int kSetupSucceeds = 0;
    static constexpr int kSetupFails = 1;

    SetupPreviewCommand(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}

    // The arguments without the program's name; the exit code: 0 when the
    // simulated setup.exe ends with 0 or 3010 (done, or done but for a
    // restart), 1 when it ends with any other code, and
    // ToolCommandLine::kCannotRun when nothing could be previewed or the
    // storyboard could not be written.
    int Run(const std::vector<std::string>& arguments);

private:
    void PrintText(const std::string& folder, const MachineProfile& machine,
                   const std::vector<TimelineEvent>& events, const CodePage& codePage) const;
    void PrintJson(const std::string& folder, const MachineProfile& machine,
                   const std::vector<TimelineEvent>& events, std::uint32_t exitCode,
                   const CodePage& codePage) const;

    std::ostream& m_out;
    std::ostream& m_err;
};

}  // namespace kestavo::vendortools
