#include "vendortools/Storyboard.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/Globals.h"
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

// A dialog frame with its caption bar.
std::string DialogBox(const Rect& rect, const std::string& caption, const std::string& text) {
    return "<rect " + RectAttributes(rect) +
           " fill=\"#ece9d8\" stroke=\"#0a246a\" stroke-width=\"2\"/>"
           "<rect x=\"" +
           std::to_string(rect.left) + "\" y=\"" + std::to_string(rect.top) + "\" width=\"" +
           std::to_string(rect.Width()) +
           "\" height=\"20\" fill=\"#0a246a\"/>"
           "<text x=\"" +
           std::to_string(rect.left + 6) + "\" y=\"" + std::to_string(rect.top + 15) +
           "\" font-family=\"Tahoma\" font-size=\"12\" fill=\"white\">" + Escape(caption) +
           "</text><text x=\"" + std::to_string(rect.left + 10) + "\" y=\"" +
           std::to_string(rect.top + 42) +
           "\" font-family=\"Tahoma\" font-size=\"12\" font-weight=\"bold\">" + Escape(text) +
           "</text>";
}

}  // namespace

Storyboard::Storyboard(sim::SimMachine& machine, const SetupFolderImage& folder)
    : m_machine(machine), m_folder(folder) {
    for (const sim::SimTrace::Entry& entry : machine.trace.Entries()) {
        Read(entry.timeMs, entry.what);
    }
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
        m_pictureSize = ParseRect("(0, 0, " + line.substr(size + 1) + ")");
    } else if (StartsWith(line, "dialog ")) {
        ReadDialog(ms, std::atoi(line.c_str() + 7), line.substr(line.find(": ") + 2));
    } else if (line == "frame: show 3") {
        m_scene.background = true;
        m_scene.backgroundPicture = m_picture;
        m_scene.backgroundPictureRect =
            Rect{10, 10, 10 + m_pictureSize.Width(), 10 + m_pictureSize.Height()};
        Keep(ms, "the background appears");
    } else if (StartsWith(line, "message box: ")) {
        m_scene.messageBox = line.substr(13, line.find(" | caption") - 13);
        Keep(ms, "a message box");
        m_scene.messageBox.clear();
    }
}

void Storyboard::ReadDialog(std::uint64_t ms, int templateId, const std::string& what) {
    Box* box = BoxOf(templateId);
    if (box == nullptr) {
        return;
    }
    const char* names[] = {"the progress dialog", "the splash", "the billboard",
                           "the restart dialog"};
    const std::string name = names[box == &m_scene.progress    ? 0
                                   : box == &m_scene.splash    ? 1
                                   : box == &m_scene.billboard ? 2
                                                               : 3];
    if (what == "create" && templateId == IDD_RESTART) {
        box->rect = Rect{372, 309, 652, 459};
        box->shown = true;
        Keep(ms, name + " appears");
    } else if (what == "show 5") {
        box->shown = true;
        Keep(ms, name + " appears");
    } else if (what == "show 0" || StartsWith(what, "end ")) {
        if (box->shown) {
            box->shown = false;
            Keep(ms, name + " goes");
        }
    } else if (StartsWith(what, "move ") || StartsWith(what, "place ")) {
        box->rect = ParseRect(what);
        if (templateId != IDD_SETUP_PROGRESS) {
            box->picture = m_picture;
        }
        if (box->shown) {
            Keep(ms, name + " moves");
        }
    }
}

std::string Storyboard::Picture(const std::string& path, const Rect& rect) const {
    std::string folder = m_machine.system.currentDirectory;
    if (folder.empty() || folder.back() != '\\') {
        folder.push_back('\\');
    }
    const auto bytes =
        StartsWith(path, folder) ? m_folder.Bytes(path.substr(folder.size())) : std::nullopt;
    if (!bytes || bytes->empty()) {
        return "<rect " + RectAttributes(rect) + " fill=\"none\" stroke=\"#999\"/>";
    }
    return "<image " + RectAttributes(rect) +
           " preserveAspectRatio=\"none\" href=\"data:" + MimeType(*bytes) + ";base64," +
           Base64(*bytes) + "\"/>";
}

std::string Storyboard::Svg(const Scene& scene, std::size_t index) const {
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
            svg += Picture(scene.backgroundPicture, scene.backgroundPictureRect);
        }
    }
    if (scene.progress.shown) {
        sim::SimWindow* dialog = m_machine.dialogs.Find(IDD_SETUP_PROGRESS);
        svg += DialogBox(scene.progress.rect, "Morlenby Kestavo",
                         dialog ? dialog->ItemText(IDC_PROGRESS_MESSAGE) : "");
    }
    for (const Box* box : {&scene.splash, &scene.billboard}) {
        if (box->shown && box->rect.Width() > 0) {
            svg += Picture(box->picture, box->rect);
        }
    }
    if (scene.restart.shown) {
        svg += DialogBox(scene.restart.rect, "Dialog", "OK   Cancel");
    }
    if (!scene.messageBox.empty()) {
        svg += DialogBox(Rect{312, 334, 712, 434}, "setup", scene.messageBox);
    }
    return svg + "</svg>";
}

std::string Storyboard::Html(const std::string& title) const {
    std::string html =
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + Escape(title) +
        "</title><style>body{font-family:sans-serif}section{margin:1em 0}</style></head><body>"
        "<h1>" +
        Escape(title) + "</h1>\n";
    for (std::size_t i = 0; i < m_frames.size(); ++i) {
        const Frame& frame = m_frames[i];
        char time[32];
        std::snprintf(time, sizeof time, "%llu.%03llu s",
                      static_cast<unsigned long long>(frame.ms / 1000),
                      static_cast<unsigned long long>(frame.ms % 1000));
        html += "<section><h2>" + std::string(time) + ": " + Escape(frame.caption) + "</h2>" +
                Svg(frame.scene, i) + "</section>\n";
    }
    return html + "</body></html>\n";
}

}  // namespace kestavo::vendortools
