#include "vendortools/SetupPreviewCommand.h"

#include <fstream>
#include <iomanip>
#include <iterator>
#include <nlohmann/json.hpp>

#include "vendortools/ToolCommandLine.h"

namespace kestavo::vendortools {

namespace {

constexpr std::uint32_t kRestartNeeded = 3010;
// Said on every run on a system older than the oldest setup.exe starts on:
// Windows would refuse to load it there, so nothing of the run would be seen.
constexpr char kUnsupported[] =
    "setup.exe does not support this system: it starts on Windows XP SP3 and later; "
    "below is what its logic would do here";

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

std::string BuiltInNames() {
    std::string names;
    for (const std::string& name : MachineProfile::BuiltInNames()) {
        names += (names.empty() ? "" : ", ") + name;
    }
    return names;
}

// Whole, or not at all as far as the caller knows: a page cut short by a
// full disk is an error as much as a folder that is not there.
bool WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file << bytes;
    file.close();
    return !file.fail();
}

}  // namespace

int SetupPreviewCommand::Run(const std::vector<std::string>& arguments) {
    ToolCommandLine line(
        "setup-preview", "Shows what a setup folder does on a given machine, before it ships.",
        "the machine's, 1252 unless its file names one",
        "  0  the simulated setup.exe ends with 0 or 3010 (done but for a restart)\n"
        "  1  it ends with any other code\n"
        "  3  nothing previewed: a command line it cannot follow (unknown option, missing or\n"
        "     extra argument, bad value), FOLDER or the machine cannot be read, or the\n"
        "     storyboard cannot be written\n");
    std::string folder;
    std::string machineName = "winxp";
    std::string storyboard;
    CLI::App& options = line.Options();
    options.add_option("FOLDER", folder, "the setup folder")->required();
    options
        .add_option(
            "--machine", machineName,
            "a built-in machine (" + BuiltInNames() + ") or a machine file (docs/preview.md)")
        ->capture_default_str();
    options.add_option("--storyboard", storyboard,
                       "also draw the screen at each moment it changes, into an HTML page");
    if (const auto done = line.Parse(arguments, m_out, m_err)) {
        return *done;
    }
    std::string error;
    std::optional<MachineProfile> machine = ReadMachine(machineName, error);
    const auto image = SetupFolderImage::Load(folder);
    if (!machine || !image) {
        return line.Fail(image ? error : folder + " is no folder", m_out, m_err);
    }
    const CodePage codePage = line.CodePageOr(*CodePage::Ansi(machine->codePage));
    machine->codePage = codePage.Number();
    SetupPreview preview(*image, *machine);
    const std::vector<TimelineEvent> events = preview.Run();
    if (!storyboard.empty() && !WriteFile(storyboard, codePage.ToUtf8(preview.StoryboardHtml()))) {
        return line.Fail("the storyboard " + storyboard + " cannot be written", m_out, m_err);
    }
    if (line.Json()) {
        PrintJson(folder, *machine, events, preview.ExitCode(), codePage);
    } else {
        PrintText(folder, *machine, events, codePage);
    }
    const std::uint32_t code = preview.ExitCode();
    return code == 0 || code == kRestartNeeded ? kSetupSucceeds : kSetupFails;
}

void SetupPreviewCommand::PrintText(const std::string& folder, const MachineProfile& machine,
                                    const std::vector<TimelineEvent>& events,
                                    const CodePage& codePage) const {
    m_out << "setup-preview: " << folder << " on " << machine.description << "\n";
    if (!machine.supported) {
        m_out << "note: " << kUnsupported << "\n";
    }
    for (const TimelineEvent& event : events) {
        m_out << std::setw(4) << event.ms / 1000 << "." << std::setw(3) << std::setfill('0')
              << event.ms % 1000 << std::setfill(' ') << " s  " << std::left << std::setw(9)
              << event.kind << std::right << codePage.ToUtf8(event.text) << "\n";
    }
}

void SetupPreviewCommand::PrintJson(const std::string& folder, const MachineProfile& machine,
                                    const std::vector<TimelineEvent>& events,
                                    std::uint32_t exitCode, const CodePage& codePage) const {
    nlohmann::json list = nlohmann::json::array();
    for (const TimelineEvent& event : events) {
        list.push_back(
            {{"ms", event.ms}, {"kind", event.kind}, {"text", codePage.ToUtf8(event.text)}});
    }
    nlohmann::json report = {{"folder", folder},
                             {"machine", machine.name},
                             {"description", machine.description},
                             {"supported", machine.supported},
                             {"codepage", codePage.Number()},
                             {"exit_code", exitCode},
                             {"events", list}};
    if (!machine.supported) {
        report["note"] = kUnsupported;
    }
    // The folder is the host's own name for it, which need not be UTF-8.
    m_out << report.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}

}  // namespace kestavo::vendortools
