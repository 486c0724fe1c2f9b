#include "presentation/CMainFrame.h"

#include "core/Globals.h"
#include "core/SetupFolder.h"
#include "core/TagFile.h"
#include "platform/WinConst.h"

namespace kestavo {

namespace {

int TokenValue(const std::string& token) {
    if (token == "0x80") {
        return 128;
    }
    if (token == "0xC0") {
        return 192;
    }
    return token == "0xFF" ? 255 : 0;
}

// The text before the first comma, taken off `rest`; with no comma the
// token is empty and `rest` stays whole.
std::string TakeToken(std::string& rest) {
    const std::string::size_type comma = rest.find(',');
    if (comma == std::string::npos) {
        return {};
    }
    std::string token = rest.substr(0, comma);
    rest.erase(0, comma + 1);
    return token;
}

int Blend(int top, int bottom, int row, int rows) {
    return top + row * (bottom - top) / rows;
}

}  // namespace

CMainFrame::CMainFrame(Ports& ports)
    : m_ports(ports),
      m_picture(ports),
      m_strTagPath(SetupFilePath(ports.system, TagFile::kFileName)) {
    m_window = ports.frames.CreateFrame(*this);
    const TagFile tag(ports.system, ports.profile);
    g_strBackgroundTitle = tag.Read("BACKGROUND", "1", TagFile::kValueCapacity);
    g_strBackgroundText = tag.Read("BACKGROUND", "2", TagFile::kValueCapacity);
    g_strBackgroundTopColor = tag.Read("BACKGROUND", "3", TagFile::kValueCapacity);
    g_strBackgroundBottomColor = tag.Read("BACKGROUND", "4", TagFile::kValueCapacity);
    g_strBackgroundPicture = tag.Read("BACKGROUND", "5", TagFile::kValueCapacity);
    m_strPicturePath =
        SetupFilePath(ports.system, FileNamePart(ports.system, g_strBackgroundPicture));
    if (m_picture.Load(m_strPicturePath)) {
        m_window->Invalidate();
    }
}

BackgroundColor CMainFrame::ParseColor(const std::string& value) {
    const std::string::size_type at = value.find('@');
    std::string rest = at == std::string::npos ? value : value.substr(at + 1);
    BackgroundColor color;
    color.red = TokenValue(TakeToken(rest));
    color.green = TokenValue(TakeToken(rest));
    color.blue = TokenValue(rest);
    return color;
}

// One solid fill per pixel row, from the top colour toward the bottom one,
// then the two texts in white over it.
bool CMainFrame::OnEraseBkgnd(IDeviceContext& dc) {
    const Rect client = m_window->ClientRect();
    const int width = client.Width();
    const int height = client.Height();
    const BackgroundColor top = ParseColor(g_strBackgroundTopColor);
    const BackgroundColor bottom = ParseColor(g_strBackgroundBottomColor);
    for (int row = 0; row < height; ++row) {
        dc.FillSolidRect(Rect{0, row, width, row + 1},
                         Rgb(Blend(top.red, bottom.red, row, height),
                             Blend(top.green, bottom.green, row, height),
                             Blend(top.blue, bottom.blue, row, height)));
    }
    DrawText(dc, 40, TA_LEFT | TA_TOP, 24, 14, g_strBackgroundTitle);
    DrawText(dc, 20, TA_RIGHT | TA_BOTTOM, width - 100, height - 50, g_strBackgroundText);
    return true;
}

void CMainFrame::DrawText(IDeviceContext& dc, int height, unsigned align, int x, int y,
                          const std::string& text) {
    FontDesc description;
    description.height = height;
    description.faceName = "Times New Roman";
    const Handle font = m_ports.gdi.CreateFontFromDesc(description);
    const Handle previous = dc.SelectObject(font);
    dc.SetTextColor(Rgb(255, 255, 255));
    dc.SetTextAlign(align);
    dc.SetBkMode(TRANSPARENT);
    dc.DrawTextAt(x, y, text);
    dc.SelectObject(previous);
    m_ports.gdi.DeleteObject(font);
}

void CMainFrame::OnPaint() {
    m_picture.Draw(m_window->Get(), 10, 10);
}

void CMainFrame::OnSetFocus() {
    BringInstallerForward();
}

void CMainFrame::OnLButtonDown() {
    BringInstallerForward();
}

void CMainFrame::BringInstallerForward() {
    if (g_hInstallerWnd != kNullHandle) {
        m_ports.windows.BringToFront(g_hInstallerWnd);
    }
}

}  // namespace kestavo
