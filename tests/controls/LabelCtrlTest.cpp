#include "controls/LabelCtrl.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/Dialog.h"
#include "platform/WinConst.h"
#include "platform/sim/SimDeviceContext.h"
#include "resources/resource.h"
#include "support/SimFixture.h"

namespace kestavo::test {
namespace {

// A dialog that attaches a label to its message item and lets a test act on
// it while it is open.
class LabelDialog : public Dialog {
public:
    LabelDialog(sim::SimMachine& machine, std::function<void(LabelCtrl&, IDialogWindow&)> body)
        : Dialog(machine.dialogs, IDD_SETUP_PROGRESS),
          m_label(machine.desktop, machine.desktop),
          m_body(std::move(body)) {}

protected:
    void DoDataExchange() override { m_label.Attach(Window(), IDC_PROGRESS_MESSAGE); }
    bool OnInitDialog() override {
        m_body(m_label, Window());
        EndDialog(IDOK);
        return true;
    }

private:
    LabelCtrl m_label;
    std::function<void(LabelCtrl&, IDialogWindow&)> m_body;
};

class LabelCtrlTest : public SimFixture {
protected:
    void With(std::function<void(LabelCtrl&, IDialogWindow&)> body) {
        LabelDialog dialog(machine, std::move(body));
        dialog.DoModal();
    }

    int Redraws() {
        return machine.dialogs.Find(IDD_SETUP_PROGRESS)->Item(IDC_PROGRESS_MESSAGE).redraws;
    }

    Handle ColorRequest(LabelCtrl& label, sim::SimDeviceContext& dc) {
        return label.OnCtlColor(dc, CTLCOLOR_STATIC);
    }
};

TEST_F(LabelCtrlTest, UntouchedLabelUsesTheSystemColoursAndDefaultFont) {
    With([&](LabelCtrl& label, IDialogWindow&) {
        sim::SimDeviceContext dc(1, machine.scheduler, machine.trace);
        EXPECT_EQ("brush c8d0d4", machine.desktop.Describe(ColorRequest(label, dc)));
        EXPECT_EQ("font MS Shell Dlg 400 -11", machine.desktop.Describe(dc.selected));
        EXPECT_EQ(Rgb(0, 0, 0), dc.textColor);
    });
}

TEST_F(LabelCtrlTest, SettersChangeWeightHeightAndFaceName) {
    With([&](LabelCtrl& label, IDialogWindow&) {
        EXPECT_EQ(FW_BOLD, label.SetLabelBold(5).FontDescription().weight);
        EXPECT_EQ(FW_NORMAL, label.SetLabelBold(false).FontDescription().weight);
        EXPECT_EQ(-14, label.SetLabelCharHeight(14).FontDescription().height);
        EXPECT_EQ("Tahoma", label.SetLabelFaceName("Tahoma").FontDescription().faceName);
        EXPECT_EQ(std::string(31, 'F'),
                  label.SetLabelFaceName(std::string(40, 'F')).FontDescription().faceName);
    });
}

TEST_F(LabelCtrlTest, BackColourWaitsForTheNextRepaintButTextColourRepaints) {
    With([&](LabelCtrl& label, IDialogWindow&) {
        label.SetLabelBackColor(Rgb(1, 2, 3));
        EXPECT_EQ(0, Redraws());
        label.SetLabelTextColor(Rgb(9, 9, 9));
        EXPECT_EQ(1, Redraws());
        sim::SimDeviceContext dc(1, machine.scheduler, machine.trace);
        EXPECT_EQ("brush 030201", machine.desktop.Describe(ColorRequest(label, dc)));
        EXPECT_EQ(Rgb(9, 9, 9), dc.textColor);
    });
}

TEST_F(LabelCtrlTest, OtherColourRequestsOnlyGetTheBrush) {
    With([&](LabelCtrl& label, IDialogWindow&) {
        sim::SimDeviceContext dc(1, machine.scheduler, machine.trace);
        EXPECT_NE(kNullHandle, label.OnCtlColor(dc, 1));
        EXPECT_EQ(kNullHandle, dc.selected);
    });
}

TEST_F(LabelCtrlTest, ClickOpensTheLabelsOwnText) {
    With([&](LabelCtrl& label, IDialogWindow& window) {
        window.SetItemText(IDC_PROGRESS_MESSAGE, "https://example.invalid/help");
        label.OnLButtonDown();
    });

    EXPECT_TRUE(machine.trace.Has("shell open: https://example.invalid/help"));
}

TEST_F(LabelCtrlTest, EveryObjectIsDeletedWithTheLabel) {
    With([&](LabelCtrl& label, IDialogWindow&) {
        label.SetLabelBackColor(0).SetLabelBold(true).SetLabelFaceName("Tahoma");
    });

    EXPECT_EQ(0u, machine.desktop.LiveObjects());
}

}  // namespace
}  // namespace kestavo::test
