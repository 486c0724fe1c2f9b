// setup-preview: a setup folder's run on a machine of the vendor's
// choosing, told as a timeline, before anything ships. The real program
// logic runs on a simulated machine with a virtual clock: nothing waits.
//
//   setup-preview FOLDER [--machine NAME|FILE] [--json] [--storyboard FILE.html]
//
// Exit code: 0 when the run could be previewed (the setup's own exit code
// is in the timeline), 3 when FOLDER or the machine cannot be read.

#include <CLI/CLI.hpp>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <iterator>
#include <nlohmann/json.hpp>

#include "vendortools/SetupPreview.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using kestavo::vendortools::MachineProfile;
using kestavo::vendortools::TimelineEvent;

std::optional<MachineProfile> ReadMachine(const std::string& name, std::string& error) {
    if (auto builtIn = MachineProfile::BuiltIn(name)) {
        return builtIn;
    }
    std::ifstream file(name, std::ios::binary);
    if (!file) {
        error = name + " is neither a built-in machine nor a machine file";
        return std::nullopt;
    }
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    return MachineProfile::FromFile(bytes, error);
}

void PrintText(const std::string& folder, const MachineProfile& machine,
               const std::vector<TimelineEvent>& events) {
    std::cout << "setup-preview: " << folder << " on " << machine.description << "\n";
    for (const TimelineEvent& event : events) {
        std::cout << std::setw(4) << event.ms / 1000 << "." << std::setw(3) << std::setfill('0')
                  << event.ms % 1000 << std::setfill(' ') << " s  " << std::left << std::setw(9)
                  << event.kind << std::right << event.text << "\n";
    }
}

void PrintJson(const std::string& folder, const MachineProfile& machine,
               const std::vector<TimelineEvent>& events, std::uint32_t exitCode) {
    nlohmann::json list = nlohmann::json::array();
    for (const TimelineEvent& event : events) {
        list.push_back({{"ms", event.ms}, {"kind", event.kind}, {"text", event.text}});
    }
    const nlohmann::json report = {{"folder", folder},
                                   {"machine", machine.name},
                                   {"description", machine.description},
                                   {"exit_code", exitCode},
                                   {"events", list}};
    std::cout << report.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8);
#endif
    CLI::App app{"Shows what a setup folder does on a given machine, before it ships."};
    std::string folder;
    std::string machineName = "winxp";
    bool json = false;
    app.add_option("FOLDER", folder, "the setup folder")->required();
    std::string builtIns;
    for (const std::string& name : MachineProfile::BuiltInNames()) {
        builtIns += (builtIns.empty() ? "" : ", ") + name;
    }
    app.add_option("--machine", machineName,
                   "a built-in machine (" + builtIns + ") or a machine file (docs/preview.md)")
        ->capture_default_str();
    app.add_flag("--json", json, "print the timeline as JSON");
    std::string storyboard;
    app.add_option("--storyboard", storyboard,
                   "also draw the screen at each moment it changes, into an HTML page");
    CLI11_PARSE(app, argc, argv);

    std::string error;
    const auto machine = ReadMachine(machineName, error);
    const auto image = kestavo::vendortools::SetupFolderImage::Load(folder);
    if (!machine || !image) {
        std::cerr << "setup-preview: " << (image ? error : folder + " is no folder") << "\n";
        return 3;
    }
    kestavo::vendortools::SetupPreview preview(*image, *machine);
    const std::vector<TimelineEvent> events = preview.Run();
    if (!storyboard.empty()) {
        std::ofstream(storyboard, std::ios::binary) << preview.StoryboardHtml();
    }
    if (json) {
        PrintJson(folder, *machine, events, preview.ExitCode());
    } else {
        PrintText(folder, *machine, events);
    }
    return 0;
}
