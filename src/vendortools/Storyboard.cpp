#include "vendortools/Storyboard.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/Globals.h"
#include "platform/WinConst.h"
#include "presentation/CMainFrame.h"
#include "resources/resource.h"

namespace kestavo::vendortools {

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::string Escape(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '&':
                escaped += "&amp;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string Base64(const std::string& bytes) {
    static const char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (std::size_t at = 0; at < bytes.size(); at += 3) {
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - at);
        unsigned long group = 0;
        for (std::size_t i = 0; i < 3; ++i) {
            group = (group << 8) | (i < count ? static_cast<unsigned char>(bytes[at + i]) : 0u);
        }
        for (std::size_t digit = 0; digit < 4; ++digit) {
            text += digit <= count ? kDigits[(group >> (18 - 6 * digit)) & 0x3F] : '=';
        }
    }
    return text;
}

std::string MimeType(const std::string& bytes) {
    if (StartsWith(bytes, "GIF8")) {
        return "image/gif";
    }
    if (StartsWith(bytes, "\xFF\xD8")) {
        return "image/jpeg";
    }
    if (StartsWith(bytes, "\x89PNG")) {
        return "image/png";
    }
    return "image/bmp";
}

// "(x, y, w x h)" as the simulated windows trace their places.
Rect ParseRect(const std::string& text) {
    const std::string::size_type open = text.find('(');
    if (open == std::string::npos) {
        return {};
    }
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::sscanf(text.c_str() + open, "(%d, %d, %d x %d)", &x, &y, &width, &height);
    return Rect{x, y, x + width, y + height};
}

std::string Colour(const std::string& value) {
    const BackgroundColor color = CMainFrame::ParseColor(value);
    return "rgb(" + std::to_string(color.red) + "," + std::to_string(color.green) + "," +
           std::to_string(color.blue) + ")";
}

std::string RectAttributes(const Rect& rect) {
    return "x=\"" + std::to_string(rect.left) + "\" y=\"" + std::to_string(rect.top) +
           "\" width=\"" + std::to_string(rect.Width()) + "\" height=\"" +
           std::to_string(rect.Height()) + "\"";
}

std::string Text(int x, int y, const std::string& text, const std::string& more = "") {
    return "<text x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) +
           "\" font-family=\"Tahoma\" font-size=\"12\"" + more + ">" + Escape(text) + "</text>";
}

// The text broken at blanks into lines that fit the width, at about seven
// pixels a bold character, one below the other in the box as a static
// control wraps it.
std::string WrappedText(const Rect& box, const std::string& text) {
    const std::size_t perLine = static_cast<std::size_t>(std::max(1, box.Width() / 7));
    std::string lines;
    std::string line;
    int y = box.top + 12;
    const auto flush = [&] {
        lines += Text(box.left, y, line, " font-weight=\"bold\"");
        y += 15;
        line.clear();
    };
    for (std::string::size_type at = 0; at < text.size();) {
        const std::string::size_type blank = text.find(' ', at);
        const std::string word = text.substr(at, blank == std::string::npos ? blank : blank - at);
        if (!line.empty() && line.size() + 1 + word.size() > perLine) {
            flush();
        }
        line += (line.empty() ? "" : " ") + word;
        at = blank == std::string::npos ? text.size() : blank + 1;
    }
    if (!line.empty()) {
        flush();
    }
    return lines;
}

// A dialog's frame with its caption bar; its client area starts
// kClientLeft and kClientTop pixels inside.
constexpr int kClientLeft = 3;
constexpr int kClientTop = 22;

std::string DialogFrame(const Rect& rect, const std::string& caption) {
    return "<rect " + RectAttributes(rect) +
           " fill=\"#ece9d8\" stroke=\"#0a246a\" stroke-width=\"2\"/><rect " +
           RectAttributes(Rect::At(rect.left, rect.top, rect.Width(), 20)) + " fill=\"#0a246a\"/>" +
           Text(rect.left + 6, rect.top + 15, caption, " fill=\"white\"");
}

std::string DialogBox(const Rect& rect, const std::string& caption, const std::string& text) {
    return DialogFrame(rect, caption) +
           WrappedText(Rect::At(rect.left + 10, rect.top + 30, rect.Width() - 20, 0), text);
}

// An item's place on the screen, from its place in the client area.
Rect OnScreen(const Rect& window, const Rect& item) {
    return Rect::At(window.left + kClientLeft + item.left, window.top + kClientTop + item.top,
                    item.Width(), item.Height());
}

std::string Button(const Rect& rect, const std::string& text) {
    return "<rect " + RectAttributes(rect) + " fill=\"#ece9d8\" stroke=\"#404040\"/>" +
           Text(rect.left + rect.Width() / 2, rect.top + rect.Height() / 2 + 4, text,
                " text-anchor=\"middle\"");
}

const char* const kNames[] = {"the progress dialog", "the splash", "the billboard",
                              "the restart dialog"};

}  // namespace

// The trace and the windows the programs showed, in the order of time.
Storyboard::Storyboard(sim::SimMachine& machine, const SetupFolderImage& folder)
    : m_machine(machine), m_folder(folder) {
    const std::vector<sim::SimShownWindow> windows = machine.processes.WindowsShown();
    std::vector<std::pair<std::uint64_t, const sim::SimShownWindow*>> changes;
    for (const sim::SimShownWindow& window : windows) {
        changes.emplace_back(window.fromMs, &window);
        changes.emplace_back(window.untilMs, nullptr);
    }
    std::stable_sort(changes.begin(), changes.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    auto change = changes.begin();
    for (const sim::SimTrace::Entry& entry : machine.trace.Entries()) {
        for (; change != changes.end() && change->first < entry.timeMs; ++change) {
            ReadInstallerWindow(change->first, change->second);
        }
        Read(entry.timeMs, entry.what);
    }
    for (; change != changes.end(); ++change) {
        ReadInstallerWindow(change->first, change->second);
    }
    NumberPictures();
}

// One frame a moment: the last change at a time gives the frame its scene.
void Storyboard::Keep(std::uint64_t ms, const std::string& caption) {
    if (!m_frames.empty() && m_frames.back().ms == ms) {
        m_frames.back().caption += "; " + caption;
        m_frames.back().scene = m_scene;
        return;
    }
    m_frames.push_back(Frame{ms, caption, m_scene});
}

Storyboard::Box* Storyboard::BoxOf(int templateId) {
    switch (templateId) {
        case IDD_SETUP_PROGRESS:
            return &m_scene.progress;
        case IDD_SPLASH:
            return &m_scene.splash;
        case IDD_BILLBOARD:
            return &m_scene.billboard;
        case IDD_RESTART:
            return &m_scene.restart;
        default:
            return nullptr;
    }
}

void Storyboard::Read(std::uint64_t ms, const std::string& line) {
    if (StartsWith(line, "picture: ")) {
        const std::string::size_type size = line.rfind(' ', line.rfind(" x ") - 1);
        m_picture = line.substr(9, size - 9);
        m_pictureSizes[m_picture] = ParseRect("(0, 0, " + line.substr(size + 1) + ")");
    } else if (StartsWith(line, "picture failed: ")) {
        m_picture.clear();
    } else if (StartsWith(line, "dialog ")) {
        ReadDialog(ms, std::atoi(line.c_str() + 7), line.substr(line.find(": ") + 2));
    } else if (StartsWith(line, "browser: navigated ")) {
        m_scene.splash.label = "web page " + line.substr(19);
    } else if (line == "frame: show 3") {
        m_scene.background = true;
        m_scene.backgroundPicture = m_picture;
        const Rect size = m_pictureSizes[m_picture];
        m_scene.backgroundPictureRect = Rect::At(10, 10, size.Width(), size.Height());
        Keep(ms, "the background appears");
    } else if (StartsWith(line, "message box: ")) {
        const std::string::size_type caption = line.find(" | caption ");
        m_scene.messageBox = line.substr(13, caption - 13);
        m_scene.messageCaption = line.substr(caption + 11, line.find(" | style") - caption - 11);
        Keep(ms, "a message box");
        m_scene.messageBox.clear();
    }
}

// A child control's move is no move of its window: only the window's own
// place counts.
void Storyboard::ReadDialog(std::uint64_t ms, int templateId, const std::string& what) {
    Box* box = BoxOf(templateId);
    if (box == nullptr) {
        return;
    }
    const std::string name = kNames[box == &m_scene.progress    ? 0
                                    : box == &m_scene.splash    ? 1
                                    : box == &m_scene.billboard ? 2
                                                                : 3];
    if (what == "create") {
        box->label.clear();
        if (templateId == IDD_RESTART) {
            box->rect = Rect{372, 309, 652, 459};
            box->shown = true;
            Keep(ms, name + " appears");
        }
    } else if (what == "show 5") {
        box->shown = true;
        Keep(ms, name + " appears");
    } else if (what == "show 0" || StartsWith(what, "end ")) {
        if (box->shown) {
            box->shown = false;
            Keep(ms, name + " goes");
        }
    } else if (StartsWith(what, "move (") || StartsWith(what, "place (")) {
        box->rect = ParseRect(what);
        // A window whose new picture failed keeps the last one it had.
        if (templateId != IDD_SETUP_PROGRESS && !m_picture.empty()) {
            box->picture = m_picture;
        }
        if (box->shown) {
            Keep(ms, name + " moves");
        }
    } else if (StartsWith(what, "animation ") && what.find(" open ") != std::string::npos) {
        box->picture.clear();
        box->label = "animation " + what.substr(what.find(" open ") + 6);
    }
}

void Storyboard::ReadInstallerWindow(std::uint64_t ms, const sim::SimShownWindow* shown) {
    Box& box = m_scene.installer;
    if (shown != nullptr) {
        box = Box{true, shown->rect, "", shown->title};
        Keep(ms, "the window \"" + shown->title + "\" appears");
    } else if (box.shown) {
        box.shown = false;
        Keep(ms, "the window \"" + box.label + "\" goes");
    }
}

// A picture's bytes, where it lies in the setup folder: the machine's
// current folder, wherever the machine keeps it.
std::optional<std::string> Storyboard::FolderBytes(const std::string& path) const {
    std::string folder = m_machine.system.currentDirectory;
    if (folder.empty() || folder.back() != '\\') {
        folder.push_back('\\');
    }
    return StartsWith(path, folder) ? m_folder.Bytes(path.substr(folder.size())) : std::nullopt;
}

// Each picture the frames show is numbered once, to be drawn by reference.
void Storyboard::NumberPictures() {
    for (const Frame& frame : m_frames) {
        const Scene& scene = frame.scene;
        for (const std::string* path :
             {&scene.splash.picture, &scene.billboard.picture, &scene.backgroundPicture}) {
            if (!path->empty() && m_pictureNumbers.count(*path) == 0) {
                const std::size_t number = m_pictureNumbers.size();
                m_pictureNumbers[*path] = number;
            }
        }
    }
}

// The pictures, each once, as symbols of their own size that the frames
// stretch to the places they are drawn at.
std::string Storyboard::PictureDefinitions() const {
    std::string defs;
    for (const auto& [path, number] : m_pictureNumbers) {
        const auto bytes = FolderBytes(path);
        if (!bytes || bytes->empty()) {
            continue;
        }
        const Rect size = m_pictureSizes.at(path);
        const std::string width = std::to_string(size.Width());
        const std::string height = std::to_string(size.Height());
        defs += "<symbol id=\"p" + std::to_string(number) + "\" viewBox=\"0 0 " + width + " " +
                height + "\" preserveAspectRatio=\"none\"><image width=\"" + width +
                "\" height=\"" + height + "\" href=\"data:" + MimeType(*bytes) + ";base64," +
                Base64(*bytes) + "\"/></symbol>";
    }
    return defs.empty() ? defs
                        : "<svg width=\"0\" height=\"0\" style=\"position:absolute\"><defs>" +
                              defs + "</defs></svg>\n";
}

std::string Storyboard::PictureAt(const std::string& path, const Rect& rect) const {
    const auto number = m_pictureNumbers.find(path);
    const auto bytes = FolderBytes(path);
    if (number == m_pictureNumbers.end() || !bytes || bytes->empty()) {
        return "<rect " + RectAttributes(rect) + " fill=\"none\" stroke=\"#999\"/>";
    }
    return "<use href=\"#p" + std::to_string(number->second) + "\" " + RectAttributes(rect) + "/>";
}

// A picture, or what stands in its place.
std::string Storyboard::Picture(const Box& box) const {
    if (box.picture.empty() && !box.label.empty()) {
        return "<rect " + RectAttributes(box.rect) + " fill=\"#808080\" stroke=\"#999\"/>" +
               Text(box.rect.left + 10, box.rect.top + 20, box.label, " fill=\"white\"");
    }
    return PictureAt(box.picture, box.rect);
}

// The dialog as its template lays it out, with the bar filled as far as it
// was at that moment.
std::string Storyboard::ProgressDialog(const Rect& rect, std::uint64_t ms) const {
    sim::SimWindow* dialog = m_machine.dialogs.Find(IDD_SETUP_PROGRESS);
    if (dialog == nullptr) {
        return DialogFrame(rect, KV_PRODUCT_TITLE);
    }
    const Rect message = OnScreen(rect, dialog->ItemRect(IDC_PROGRESS_MESSAGE));
    const Rect bar = OnScreen(rect, dialog->ItemRect(IDC_PROGRESS_BAR));
    const sim::SimItem& progress = dialog->Item(IDC_PROGRESS_BAR);
    const int range = progress.upper - progress.lower;
    const int filled = range <= 0
                           ? 0
                           : static_cast<int>(static_cast<long long>(bar.Width()) *
                                              (progress.PositionAt(ms) - progress.lower) / range);
    return DialogFrame(rect, KV_PRODUCT_TITLE) +
           WrappedText(message, dialog->ItemText(IDC_PROGRESS_MESSAGE)) + "<rect " +
           RectAttributes(bar) + " fill=\"white\" stroke=\"#404040\"/><rect " +
           RectAttributes(Rect::At(bar.left, bar.top, filled, bar.Height())) +
           " fill=\"#316ac5\"/>" +
           Button(OnScreen(rect, dialog->ItemRect(IDCANCEL)), dialog->ItemText(IDCANCEL));
}

std::string Storyboard::Svg(const Frame& frame, std::size_t index) const {
    const Scene& scene = frame.scene;
    const int width = m_machine.desktop.screenWidth;
    const int height = m_machine.desktop.screenHeight;
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " +
                      std::to_string(width) + " " + std::to_string(height) +
                      "\" width=\"640\"><rect width=\"100%\" height=\"100%\" fill=\"#3a6ea5\"/>";
    if (scene.background) {
        const std::string gradient = "g" + std::to_string(index);
        svg += "<defs><linearGradient id=\"" + gradient +
               "\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\"><stop offset=\"0\" stop-color=\"" +
               Colour(g_strBackgroundTopColor) + "\"/><stop offset=\"1\" stop-color=\"" +
               Colour(g_strBackgroundBottomColor) + "\"/></linearGradient></defs><rect width=\"" +
               std::to_string(width) + "\" height=\"" + std::to_string(height) + "\" fill=\"url(#" +
               gradient +
               ")\"/><text x=\"24\" y=\"46\" font-family=\"Times New Roman\" font-size=\"40\" "
               "fill=\"white\">" +
               Escape(g_strBackgroundTitle) + "</text><text x=\"" + std::to_string(width - 100) +
               "\" y=\"" + std::to_string(height - 54) +
               "\" text-anchor=\"end\" font-family=\"Times New Roman\" font-size=\"20\" "
               "fill=\"white\">" +
               Escape(g_strBackgroundText) + "</text>";
        if (!scene.backgroundPicture.empty()) {
            svg += PictureAt(scene.backgroundPicture, scene.backgroundPictureRect);
        }
    }
    if (scene.installer.shown) {
        svg += DialogFrame(scene.installer.rect, scene.installer.label);
    }
    if (scene.progress.shown) {
        svg += ProgressDialog(scene.progress.rect, frame.ms);
    }
    for (const Box* box : {&scene.splash, &scene.billboard}) {
        if (box->shown && box->rect.Width() > 0) {
            svg += Picture(*box);
        }
    }
    if (scene.restart.shown) {
        svg += DialogBox(scene.restart.rect, "Dialog", "OK   Cancel");
    }
    if (!scene.messageBox.empty()) {
        svg += DialogBox(Rect{112, 334, 912, 434}, scene.messageCaption, scene.messageBox);
    }
    return svg + "</svg>";
}

std::string Storyboard::Html(const std::string& title) const {
    std::string html =
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + Escape(title) +
        "</title><style>body{font-family:sans-serif}section{margin:1em 0}</style></head><body>"
        "<h1>" +
        Escape(title) + "</h1>\n" + PictureDefinitions();
    for (std::size_t i = 0; i < m_frames.size(); ++i) {
        const Frame& frame = m_frames[i];
        char time[32];
        std::snprintf(time, sizeof time, "%llu.%03llu s",
                      static_cast<unsigned long long>(frame.ms / 1000),
                      static_cast<unsigned long long>(frame.ms % 1000));
        html += "<section><h2>" + std::string(time) + ": " + Escape(frame.caption) + "</h2>" +
                Svg(frame, i) + "</section>\n";
    }
    return html + "</body></html>\n";
}

}  // namespace kestavo::vendortools
