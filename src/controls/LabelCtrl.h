#pragma once

#include <string>

#include "platform/IDesktopPort.h"
#include "platform/IDialogHost.h"
#include "platform/IGdiPort.h"

namespace kestavo {

// A static text that draws itself in its own colours and font, and opens its
// own text with the shell when clicked. Setters chain.
class LabelCtrl : public IControlEvents {
public:
    LabelCtrl(IGdiPort& gdi, IDesktopPort& desktop);
    ~LabelCtrl() override;
    LabelCtrl(const LabelCtrl&) = delete;
    LabelCtrl& operator=(const LabelCtrl&) = delete;

    // Takes over the dialog item's clicks and colour requests.
    void Attach(IDialogWindow& window, int itemId);

    LabelCtrl& SetLabelTextColor(ColorRef color);
    LabelCtrl& SetLabelBackColor(ColorRef color);
    LabelCtrl& SetLabelBold(bool bold);
    LabelCtrl& SetLabelCharHeight(int height);
    LabelCtrl& SetLabelFaceName(const std::string& faceName);

    void OnLButtonDown() override;
    Handle OnCtlColor(IDeviceContext& dc, int ctlColorType) override;

    ColorRef TextColor() const { return m_crText; }
    const FontDesc& FontDescription() const { return m_lf; }

private:
    void ReconstructFont();
    void RedrawCtrl();

    IGdiPort& m_gdi;
    IDesktopPort& m_desktop;
    IDialogWindow* m_window = nullptr;
    int m_itemId = 0;

    ColorRef m_crText;
    Handle m_hBrush = kNullHandle;
    FontDesc m_lf;
    Handle m_font = kNullHandle;
};

}  // namespace kestavo
