#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "vendortools/CodePage.h"
#include "vendortools/MachineProfile.h"
#include "vendortools/SetupPreview.h"
#include "vendortools/ThisMachine.h"

namespace CLI {
class App;
}  // namespace CLI

namespace kestavo::vendortools {

class ToolCommandLine;

// setup-preview's command line:
//
//   setup-preview FOLDER [--machine NAME|FILE|this] [--answer N] [--json]
//                 [--codepage N] [--storyboard FILE.html]
//   setup-preview --capture FILE [FOLDER] [--json]
//
// runs the setup folder on the machine and prints the timeline, as text or
// JSON, in UTF-8 converted from the machine's ANSI code page (1252 unless
// the machine file or --codepage names another); the storyboard is written
// in UTF-8 too. `--machine this` is a dry run on the Windows the tool runs
// on (see DryRunMachine); `--capture` writes that Windows' answers into a
// machine file (see MachineCapture) and previews nothing.
class SetupPreviewCommand {
public:
    static constexpr int kSetupSucceeds = 0;
    static constexpr int kSetupFails = 1;

    SetupPreviewCommand(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}

    // The arguments without the program's name; the exit code: 0 when the
    // simulated setup.exe ends with 0 or 3010 (done, or done but for a
    // restart), 1 when it ends with any other code, and
    // ToolCommandLine::kCannotRun when nothing could be previewed or the
    // storyboard or the captured machine file could not be written.
    int Run(const std::vector<std::string>& arguments);

private:
    struct Arguments;
    static void AddOptions(CLI::App& options, Arguments& given);
    int Preview(const ToolCommandLine& line, const Arguments& given);
    std::optional<MachineProfile> ReadMachine(const std::string& name, const std::string& folder,
                                              const SetupFolderImage& image, std::string& error);
    int Capture(const ToolCommandLine& line, const std::string& file, const std::string& folder);
    void PrintText(const std::string& folder, const MachineProfile& machine,
                   const std::vector<TimelineEvent>& events, const CodePage& codePage) const;
    void PrintJson(const std::string& folder, const MachineProfile& machine,
                   const std::vector<TimelineEvent>& events, std::uint32_t exitCode,
                   const CodePage& codePage) const;

    std::ostream& m_out;
    std::ostream& m_err;
    // The Windows the tool runs on, once `--machine this` opened it.
    std::unique_ptr<ThisMachine> m_pThisMachine;
};

}  // namespace kestavo::vendortools
