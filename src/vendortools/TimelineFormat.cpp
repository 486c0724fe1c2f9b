#include "vendortools/TimelineFormat.h"

#include <cstdlib>

#include "core/Globals.h"
#include "presentation/CMainFrame.h"
#include "resources/resource.h"
#include "vendortools/DecisionNarrator.h"

namespace kestavo::vendortools {

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// "start: app=A cmd=C dir=D" and the like: the text between `name=` and the
// next field's name.
std::string Field(const std::string& line, const std::string& name, const std::string& next) {
    const std::string::size_type start = line.find(name + "=");
    if (start == std::string::npos) {
        return {};
    }
    const std::string::size_type from = start + name.size() + 1;
    const std::string::size_type end =
        next.empty() ? std::string::npos : line.find(" " + next + "=", from);
    return line.substr(from, end == std::string::npos ? std::string::npos : end - from);
}

std::string WindowName(int templateId) {
    switch (templateId) {
        case IDD_SETUP_PROGRESS:
            return "progress dialog";
        case IDD_SPLASH:
            return "splash";
        case IDD_RESTART:
            return "restart dialog";
        case IDD_BILLBOARD:
            return "billboard";
        default:
            return "dialog " + std::to_string(templateId);
    }
}

std::string ColourText(const std::string& value) {
    const BackgroundColor color = CMainFrame::ParseColor(value);
    return "(" + std::to_string(color.red) + ", " + std::to_string(color.green) + ", " +
           std::to_string(color.blue) + ")";
}

std::string Seconds(std::uint64_t ms) {
    const std::string fraction = std::to_string(1000 + ms % 1000).substr(1);
    return std::to_string(ms / 1000) + "." + fraction + " s";
}

}  // namespace

TimelineFormat::TimelineFormat(sim::SimMachine& machine) : m_machine(machine) {
    for (const sim::SimTrace::Entry& entry : machine.trace.Entries()) {
        Read(entry.timeMs, entry.what);
    }
}

void TimelineFormat::Add(std::uint64_t ms, const std::string& kind, std::string text) {
    m_events.push_back(TimelineEvent{ms, kind, std::move(text)});
}

void TimelineFormat::Read(std::uint64_t ms, const std::string& line) {
    if (StartsWith(line, "dialog ")) {
        const int templateId = std::atoi(line.c_str() + 7);
        Dialog(ms, templateId, line.substr(line.find(": ") + 2));
    } else if (StartsWith(line, "start") || StartsWith(line, "shell") ||
               StartsWith(line, "exit: ") || StartsWith(line, "winexec")) {
        Program(ms, line);
    } else if (StartsWith(line, DecisionNarrator::kTracePrefix)) {
        const std::string::size_type kind = std::string(DecisionNarrator::kTracePrefix).size();
        const std::string::size_type colon = line.find(": ", kind);
        Add(ms, line.substr(kind, colon - kind), line.substr(colon + 2));
    } else if (StartsWith(line, "message box: ")) {
        const std::string text = line.substr(13, line.find(" | caption") - 13);
        Add(ms, "message",
            "message box \"" + text + "\", answered " +
                (m_machine.desktop.messageBoxAnswer == 1 ? "OK" : "Cancel"));
    } else if (StartsWith(line, "user presses ")) {
        const int templateId = std::atoi(line.c_str() + line.find(" in dialog ") + 11);
        Add(ms, "window",
            WindowName(templateId) + " answered " +
                (std::atoi(line.c_str() + 13) == 1 ? "OK" : "Cancel"));
    } else if (StartsWith(line, "picture: ") || StartsWith(line, "sound: ") ||
               StartsWith(line, "browser: navigated")) {
        Add(ms, "media", line);
    } else if (line == "frame: show 3") {
        Add(ms, "window",
            "background shown over the whole screen, from " + ColourText(g_strBackgroundTopColor) +
                " at the top to " + ColourText(g_strBackgroundBottomColor) +
                " at the bottom, title \"" + g_strBackgroundTitle + "\", second text \"" +
                g_strBackgroundText + "\"");
    } else if (StartsWith(line, "post quit: ")) {
        Add(ms, "action", "told the window " + line.substr(11) + " to quit");
    } else if (line == "sockets failed") {
        Add(ms, "window", "Windows Sockets could not be started");
    }
}

// A window is placed as long as it has not ended, and closed only when it
// was shown: a disabled splash ends before it is ever shown, and the place
// it is given after that is never seen. A child control's move is no move
// of its window.
void TimelineFormat::Dialog(std::uint64_t ms, int templateId, const std::string& what) {
    const std::string name = WindowName(templateId);
    WindowState& window = m_windows[templateId];
    if (what == "create") {
        window = WindowState();
    } else if (what == "show 5") {
        window.shown = true;
        std::string text = name + " shown";
        if (templateId == IDD_SETUP_PROGRESS) {
            text +=
                ": \"" + m_machine.dialogs.Find(templateId)->ItemText(IDC_PROGRESS_MESSAGE) + "\"";
        }
        Add(ms, "window", text);
    } else if (what == "show 0") {
        Add(ms, "window", name + " hidden");
    } else if (StartsWith(what, "end ")) {
        window.ended = true;
        if (window.shown) {
            Add(ms, "window", name + " closed");
        }
    } else if ((StartsWith(what, "move (") || StartsWith(what, "place (")) && !window.ended) {
        const std::string rect = what.substr(what.find('('), what.find(')') - what.find('(') + 1);
        Add(ms, "window", name + " at " + rect);
    } else if (what == "create failed") {
        Add(ms, "window", name + " could not be created");
    }
}

void TimelineFormat::Program(std::uint64_t ms, const std::string& line) {
    if (StartsWith(line, "start: ")) {
        const std::string app = Field(line, "app", "cmd");
        m_started[app] = ms;
        Add(ms, "program",
            "started " + app + ", command line \"" + Field(line, "cmd", "dir") + "\", in " +
                Field(line, "dir", ""));
    } else if (StartsWith(line, "shell: ")) {
        const std::string file = Field(line, "file", "params");
        m_started[file] = ms;
        Add(ms, "program",
            "started " + file + " through the shell, parameters \"" + Field(line, "params", "dir") +
                "\"");
    } else if (StartsWith(line, "shell run: ")) {
        const std::string file = Field(line, "file", "params");
        Add(ms, "program",
            sim::SimProcesses::IsWebAddress(file)
                ? "handed " + file + " to the shell, which opens it in the web browser"
                : "started " + file + " through the shell, not waited for");
    } else if (StartsWith(line, "winexec: ")) {
        Add(ms, "program", "started \"" + Field(line, "cmd", "show") + "\", not waited for");
    } else if (StartsWith(line, "exit: ")) {
        const std::string rest = line.substr(6);
        const std::string path = rest.substr(0, rest.rfind(' '));
        const auto started = m_started.find(path);
        const std::string ran =
            started == m_started.end() ? "" : ", after " + Seconds(ms - started->second);
        Add(ms, "program",
            path + " ended with exit code " + rest.substr(rest.rfind(' ') + 1) + ran);
    } else if (StartsWith(line, "winexec failed: ")) {
        Add(ms, "program", "could not start \"" + Field(line, "cmd", "show") + "\"");
    } else {
        const std::string program =
            StartsWith(line, "start") ? Field(line, "app", "cmd") : Field(line, "file", "params");
        Add(ms, "program", "could not start " + program);
    }
}

}  // namespace kestavo::vendortools
