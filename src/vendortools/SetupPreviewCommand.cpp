#include "vendortools/SetupPreviewCommand.h"

#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <nlohmann/json.hpp>

#include "vendortools/MachineCapture.h"
#include "vendortools/MachineFileText.h"
#include "vendortools/ToolCommandLine.h"

namespace kestavo::vendortools {

namespace {

constexpr std::uint32_t kRestartNeeded = 3010;
// Said on every run on a system older than the oldest setup.exe starts on:
// Windows would refuse to load it there, so nothing of the run would be seen.
constexpr char kUnsupported[] =
    "setup.exe does not support this system: it starts on Windows XP SP3 and later; "
    "below is what its logic would do here";

std::optional<MachineProfile> ReadMachineFile(const std::string& name, std::string& error) {
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

// A file named on the command line, as a full path: a dry run on this
// machine makes the setup folder the current one, as setup.exe's is.
std::string Absolute(const std::string& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return path.empty() || error ? path : full.string();
}

// What a captured machine file says of itself, at its top.
std::vector<std::string> CaptureHeader(const std::string& folder) {
    const std::string general = "its system, installer runtime, language, code page and screen";
    return {
        "A machine file for setup-preview, captured on a real Windows by setup-preview "
        "--capture.",
        folder.empty() ? "It holds that Windows' answers to the general questions alone: " +
                             general + ", and its folders."
                       : "It holds that Windows' answers to the questions the tag files of " +
                             folder + " ask, and nothing else: " + general +
                             ", the folders the setup uses, and the uninstall entries, files and "
                             "windows its records asked about that were there.",
        "No other product, file, window, user setting or path of that machine is in it.",
        "Replay it anywhere: setup-preview FOLDER --machine THIS-FILE"};
}

}  // namespace

struct SetupPreviewCommand::Arguments {
    std::string folder;
    std::string machine = "winxp";
    std::string storyboard;
    std::string capture;
    std::optional<int> answer;
};

int SetupPreviewCommand::Run(const std::vector<std::string>& arguments) {
    ToolCommandLine line(
        "setup-preview", "Shows what a setup folder does on a given machine, before it ships.",
        "the machine's, 1252 unless its file names one",
        "  0  the simulated setup.exe ends with 0 or 3010 (done but for a restart); with\n"
        "     --capture, the machine file is written\n"
        "  1  it ends with any other code\n"
        "  3  nothing previewed: a command line it cannot follow (unknown option, missing or\n"
        "     extra argument, bad value), FOLDER or the machine cannot be read, or the\n"
        "     storyboard or the captured machine file cannot be written\n");
    Arguments given;
    AddOptions(line.Options(), given);
    if (const auto done = line.Parse(arguments, m_out, m_err)) {
        return *done;
    }
    if (!given.capture.empty()) {
        return Capture(line, Absolute(given.capture), given.folder);
    }
    return Preview(line, given);
}

void SetupPreviewCommand::AddOptions(CLI::App& options, Arguments& given) {
    options.add_option("FOLDER", given.folder,
                       "the setup folder; with --capture, the one whose questions are captured");
    CLI::Option* machine =
        options
            .add_option("--machine", given.machine,
                        "a built-in machine (" + BuiltInNames() +
                            "), a machine file (docs/preview.md), or this: the Windows "
                            "setup-preview.exe runs on, asked and never changed")
            ->capture_default_str();
    CLI::Option* answer = options.add_option(
        "--answer", given.answer,
        "the button pressed in every message box: 1 (the first) unless the machine file says "
        "otherwise");
    CLI::Option* storyboard =
        options.add_option("--storyboard", given.storyboard,
                           "also draw the screen at each moment it changes, into an HTML page");
    // A capture runs on this Windows, answered as the replay will be.
    options
        .add_option("--capture", given.capture,
                    "write this Windows' answers to FOLDER's questions into a machine file, "
                    "and preview nothing")
        ->type_name("FILE")
        ->excludes(machine)
        ->excludes(answer)
        ->excludes(storyboard);
}

int SetupPreviewCommand::Preview(const ToolCommandLine& line, const Arguments& given) {
    const std::string& folder = given.folder;
    const auto image = folder.empty() ? std::nullopt : SetupFolderImage::Load(folder);
    if (!image) {
        return line.Fail(folder.empty() ? "FOLDER is required" : folder + " is no folder", m_out,
                         m_err);
    }
    const std::string storyboard = Absolute(given.storyboard);
    std::string error;
    std::optional<MachineProfile> machine = ReadMachine(given.machine, folder, *image, error);
    if (!machine) {
        return line.Fail(error, m_out, m_err);
    }
    machine->messageBoxAnswer = given.answer.value_or(machine->messageBoxAnswer);
    const std::optional<CodePage> ansi = CodePage::Ansi(machine->codePage);
    if (!ansi && !line.NamesCodePage()) {
        return line.Fail("the machine's ANSI code page " + std::to_string(machine->codePage) +
                             " is none the tag files can be read in: name one with --codepage",
                         m_out, m_err);
    }
    const CodePage codePage = line.CodePageOr(ansi ? *ansi : *CodePage::Ansi(1252));
    machine->codePage = codePage.Number();
    SetupPreview preview(*image, *machine);
    std::optional<MachineReadPorts> reads;
    if (m_pThisMachine) {
        preview.AskInstead(reads.emplace(m_pThisMachine->Reads()));
    }
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

// A built-in machine, a machine file, or this Windows: its general answers
// taken as the profile, with the folder made the current one.
std::optional<MachineProfile> SetupPreviewCommand::ReadMachine(const std::string& name,
                                                               const std::string& folder,
                                                               const SetupFolderImage& image,
                                                               std::string& error) {
    if (name != "this") {
        return ReadMachineFile(name, error);
    }
    m_pThisMachine = ThisMachine::Open(folder, error);
    if (!m_pThisMachine) {
        return std::nullopt;
    }
    return MachineCapture(m_pThisMachine->Reads(), &image).Profile();
}

// The general answers, and with a folder, those a dry run of it on this
// Windows found: the capture hears the program's decisions as the timeline
// would.
int SetupPreviewCommand::Capture(const ToolCommandLine& line, const std::string& file,
                                 const std::string& folder) {
    const auto image = folder.empty() ? std::nullopt : SetupFolderImage::Load(folder);
    if (!folder.empty() && !image) {
        return line.Fail(folder + " is no folder", m_out, m_err);
    }
    std::string error;
    const std::unique_ptr<ThisMachine> machine = ThisMachine::Open(folder, error);
    if (!machine) {
        return line.Fail(error, m_out, m_err);
    }
    const MachineReadPorts reads = machine->Reads();
    MachineCapture capture(reads, image ? &*image : nullptr);
    if (image) {
        capture.FollowDryRun(*image);
    }
    // The folder by its full name, as setup.exe started in it has it.
    const std::string asked = image ? capture.Profile().setupFolder : std::string();
    if (!WriteFile(file, MachineFileText(capture.Profile(), CaptureHeader(asked)))) {
        return line.Fail("the machine file " + file + " cannot be written", m_out, m_err);
    }
    if (line.Json()) {
        m_out << nlohmann::json{{"capture", file}, {"folder", folder}}.dump(
                     2, ' ', false, nlohmann::json::error_handler_t::replace)
              << "\n";
    } else {
        m_out << "setup-preview: this Windows' answers written to " << file << "\n";
    }
    return kSetupSucceeds;
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
