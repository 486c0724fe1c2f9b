#include "driver/SetupProgressDialog.h"

#include <gtest/gtest.h>

#include "platform/WinConst.h"
#include "platform/sim/SimDeviceContext.h"
#include "resources/resource.h"
#include "support/SimFixture.h"

namespace kestavo::test {
namespace {

class SetupProgressDialogTest : public SimFixture {
protected:
    SetupProgressDialogTest() { machine.threads.runThreads = false; }

    // The splash thread is played by the test: it ends at `timeMs`.
    void SplashEndsAt(std::uint64_t timeMs) {
        machine.scheduler.At(timeMs, [] { g_nSplashDone.store(255); });
    }

    int Run() {
        SetupProgressDialog dialog(machine.GetPorts());
        return dialog.DoModal();
    }

    sim::SimWindow& Window() { return *machine.dialogs.Find(IDD_SETUP_PROGRESS); }
};

TEST_F(SetupProgressDialogTest, ShowsTagFileTextsAtBottomRightAndWaitsForFullBar) {
    PutTag("[SETUP]\n0=Preparing Acme Writer\n1=Stop\n");
    machine.dialogs.windowSizes[IDD_SETUP_PROGRESS] = {440, 110};
    SplashEndsAt(500);

    EXPECT_EQ(IDOK, Run());

    EXPECT_EQ("Preparing Acme Writer", Window().ItemText(IDC_PROGRESS_MESSAGE));
    EXPECT_EQ("Stop", Window().ItemText(IDCANCEL));
    EXPECT_EQ(0, TimeOf("dialog 102: move (584, 618, 440 x 110)"));
    EXPECT_EQ(0, TimeOf("thread start: CSlashTH"));
    EXPECT_EQ(0, TimeOf("dialog 102: timer 1 every 50 ms"));
    // The splash ended at 0.5 s, but the bar is full only at the 40th tick.
    EXPECT_EQ(2000, TimeOf("dialog 102: show 0"));
    EXPECT_EQ(2000, TimeOf("dialog 102: kill timer 1"));
    EXPECT_EQ(2000, TimeOf("dialog 102: end 1"));
    EXPECT_EQ(400, Window().Item(IDC_PROGRESS_BAR).position);
}

TEST_F(SetupProgressDialogTest, FullBarWaitsAsLongAsTheSplashIsOpen) {
    PutTag("[SETUP]\n0=x\n");
    SplashEndsAt(12345);

    Run();

    EXPECT_EQ(12350, TimeOf("dialog 102: show 0"));
    EXPECT_EQ(400, Window().Item(IDC_PROGRESS_BAR).position);
}

TEST_F(SetupProgressDialogTest, MissingTextsLeaveMessageAndCaptionEmpty) {
    PutTag("[BUILD]\nSILENT=0\n");
    SplashEndsAt(0);

    Run();

    EXPECT_EQ("", Window().ItemText(IDC_PROGRESS_MESSAGE));
    EXPECT_EQ("", Window().ItemText(IDCANCEL));
}

TEST_F(SetupProgressDialogTest, LongMessageIsCutToItsBuffer) {
    PutTag("[SETUP]\n0=" + std::string(300, 'm') + "\n");
    SplashEndsAt(0);

    Run();

    EXPECT_EQ(std::string(254, 'm'), Window().ItemText(IDC_PROGRESS_MESSAGE));
}

TEST_F(SetupProgressDialogTest, CodePageKeepsBuiltInTextsAndRunsHidden) {
    PutTag("[SETUP]\nCODEPAGE=1252\n0=Ignored\n1=Ignored\n");
    SplashEndsAt(500);

    Run();

    EXPECT_EQ(KV_TEXT_PREPARING, Window().ItemText(IDC_PROGRESS_MESSAGE));
    EXPECT_EQ(KV_TEXT_CANCEL, Window().ItemText(IDCANCEL));
    EXPECT_TRUE(machine.trace.Has("dialog 102: move (0, 0, 0 x 0)"));
    EXPECT_FALSE(machine.trace.Has("dialog 102: timer 1"));
    EXPECT_EQ(0, TimeOf("dialog 102: timer 3 every 10 ms"));
    // No two-second minimum: the first 10 ms tick after the splash.
    EXPECT_EQ(500, TimeOf("dialog 102: end 1"));
    EXPECT_EQ(0, Window().Item(IDC_PROGRESS_BAR).position);
}

TEST_F(SetupProgressDialogTest, SilentSetupInstallsInsideInitialisation) {
    PutTag("[BUILD]\nSILENT=1\n[SETUP]\nCODEPAGE=1\n0=Ignored\n");

    EXPECT_EQ(IDOK, Run());

    EXPECT_FALSE(machine.trace.Has("thread start"));
    EXPECT_FALSE(machine.trace.Has("dialog 102: timer"));
    EXPECT_FALSE(machine.trace.Has("dialog 102: show 5"));
    EXPECT_EQ(0, TimeOf("dialog 102: move (0, 0, 0 x 0)"));
    EXPECT_EQ(0, TimeOf("dialog 102: end 1"));
    EXPECT_EQ(KV_TEXT_PREPARING, Window().ItemText(IDC_PROGRESS_MESSAGE));
}

TEST_F(SetupProgressDialogTest, SilentNeedsExactlyOne) {
    PutTag("[BUILD]\nSILENT=255\n[SETUP]\n0=Shown\n");
    SplashEndsAt(0);

    Run();

    EXPECT_TRUE(machine.trace.Has("thread start: CSlashTH"));
    EXPECT_EQ("Shown", Window().ItemText(IDC_PROGRESS_MESSAGE));
}

TEST_F(SetupProgressDialogTest, WithoutTagFileInstallsAtOnce) {
    EXPECT_EQ(IDOK, Run());

    EXPECT_EQ(0, TimeOf("dialog 102: end 1"));
    EXPECT_FALSE(machine.trace.Has("thread start"));
    EXPECT_FALSE(machine.trace.Has("dialog 102: timer"));
    EXPECT_FALSE(machine.trace.Has("dialog 102: move"));
}

TEST_F(SetupProgressDialogTest, CancelWhileWaitingEndsWithoutInstalling) {
    PutTag("[SETUP]\n0=x\n1=Cancel\n");
    SplashEndsAt(30000);
    machine.scheduler.At(10000, [this] { machine.dialogs.Press(IDD_SETUP_PROGRESS, IDCANCEL); });

    EXPECT_EQ(IDCANCEL, Run());

    EXPECT_EQ(10000, TimeOf("dialog 102: end 2"));
    EXPECT_FALSE(machine.trace.Has("dialog 102: show 0"));
}

TEST_F(SetupProgressDialogTest, EveryPaintMakesTheMessageBoldBlackTahomaOnWhite) {
    PutTag("[SETUP]\n0=x\n");
    SplashEndsAt(0);
    std::string brush;
    std::string font;
    machine.scheduler.At(100, [&] {
        ASSERT_TRUE(machine.dialogs.Paint(IDD_SETUP_PROGRESS));
        sim::SimDeviceContext dc(1, machine.scheduler, machine.trace);
        IControlEvents* label = Window().Item(IDC_PROGRESS_MESSAGE).events;
        ASSERT_NE(nullptr, label);
        brush = machine.desktop.Describe(label->OnCtlColor(dc, CTLCOLOR_STATIC));
        font = machine.desktop.Describe(dc.selected);
        // The control draws with the same font it was handed.
        EXPECT_EQ(dc.selected, Window().Item(IDC_PROGRESS_MESSAGE).font);
        EXPECT_EQ(Rgb(0, 0, 0), dc.textColor);
        EXPECT_EQ(TRANSPARENT, dc.bkMode);
    });

    Run();

    EXPECT_EQ("brush ffffff", brush);
    EXPECT_EQ("font Tahoma 700 -11", font);
    const Rect frame = Window().ItemRect(IDC_PROGRESS_FRAME);
    EXPECT_TRUE(machine.trace.Has("paint: fill (0, 0, " + std::to_string(frame.Width()) + " x " +
                                  std::to_string(frame.Height()) + ") with system colour 5"));
    EXPECT_FALSE(machine.trace.Has("paint: icon"));
}

TEST_F(SetupProgressDialogTest, MinimisedDialogDrawsItsIconCentred) {
    PutTag("[SETUP]\n0=x\n");
    SplashEndsAt(0);
    machine.dialogs.windowSizes[IDD_SETUP_PROGRESS] = {441, 111};
    machine.scheduler.At(100, [&] {
        Window().iconic = true;
        machine.dialogs.Paint(IDD_SETUP_PROGRESS);
    });

    Run();

    // (441 - 32 + 1) / 2 and (111 - 32 + 1) / 2.
    EXPECT_TRUE(machine.trace.Has("paint: icon " + std::to_string(0x20000 + IDR_MAINFRAME) +
                                  " at (205, 40)"));
}

TEST_F(SetupProgressDialogTest, LabelFontsAndBrushesAreFreedWithTheDialog) {
    PutTag("[SETUP]\n0=x\n");
    SplashEndsAt(0);
    machine.scheduler.At(100, [&] { machine.dialogs.Paint(IDD_SETUP_PROGRESS); });

    Run();

    EXPECT_EQ(0u, machine.desktop.LiveObjects());
}

}  // namespace
}  // namespace kestavo::test
