#include "controls/LabelCtrl.h"

#include "platform/WinConst.h"

namespace kestavo {

LabelCtrl::LabelCtrl(IGdiPort& gdi, IDesktopPort& desktop)
    : m_gdi(gdi),
      m_desktop(desktop),
      m_crText(desktop.SystemColor(COLOR_WINDOWTEXT)),
      m_hBrush(gdi.CreateSolidBrush(desktop.SystemColor(COLOR_BTNFACE))),
      m_lf(gdi.DefaultGuiFont()),
      m_font(gdi.CreateFontFromDesc(m_lf)) {}

LabelCtrl::~LabelCtrl() {
    m_gdi.DeleteObject(m_font);
    if (m_hBrush != kNullHandle) {
        m_gdi.DeleteObject(m_hBrush);
    }
}

void LabelCtrl::Attach(IDialogWindow& window, int itemId) {
    m_window = &window;
    m_itemId = itemId;
    window.SubclassItem(itemId, *this);
    window.SetItemFont(itemId, m_font);
}

LabelCtrl& LabelCtrl::SetLabelTextColor(ColorRef color) {
    m_crText = color;
    RedrawCtrl();
    return *this;
}

// The new brush shows at the next repaint; callers set the text colour next,
// which repaints.
LabelCtrl& LabelCtrl::SetLabelBackColor(ColorRef color) {
    if (m_hBrush != kNullHandle) {
        m_gdi.DeleteObject(m_hBrush);
    }
    m_hBrush = m_gdi.CreateSolidBrush(color);
    return *this;
}

LabelCtrl& LabelCtrl::SetLabelBold(bool bold) {
    m_lf.weight = bold ? FW_BOLD : FW_NORMAL;
    ReconstructFont();
    RedrawCtrl();
    return *this;
}

// A negative height asks for the character height rather than the cell's.
LabelCtrl& LabelCtrl::SetLabelCharHeight(int height) {
    m_lf.height = -height;
    ReconstructFont();
    RedrawCtrl();
    return *this;
}

// The platform's face-name field holds 31 characters; a longer name is cut
// there rather than overrun it.
LabelCtrl& LabelCtrl::SetLabelFaceName(const std::string& faceName) {
    m_lf.faceName = faceName.substr(0, FontDesc::kFaceNameMax);
    ReconstructFont();
    RedrawCtrl();
    return *this;
}

void LabelCtrl::OnLButtonDown() {
    if (m_window != nullptr) {
        m_desktop.ShellOpen(m_window->ItemText(m_itemId));
    }
}

Handle LabelCtrl::OnCtlColor(IDeviceContext& dc, int ctlColorType) {
    if (ctlColorType == CTLCOLOR_STATIC) {
        dc.SelectObject(m_font);
        dc.SetTextColor(m_crText);
        dc.SetBkMode(TRANSPARENT);
    }
    return m_hBrush;
}

// The font is also handed to the control itself: some static controls select
// their own font after asking for colours, which would undo the selection
// made in OnCtlColor. The control never holds a deleted font.
void LabelCtrl::ReconstructFont() {
    const Handle old = m_font;
    m_font = m_gdi.CreateFontFromDesc(m_lf);
    if (m_window != nullptr) {
        m_window->SetItemFont(m_itemId, m_font);
    }
    m_gdi.DeleteObject(old);
}

void LabelCtrl::RedrawCtrl() {
    if (m_window != nullptr) {
        m_window->RedrawItem(m_itemId, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

}  // namespace kestavo
