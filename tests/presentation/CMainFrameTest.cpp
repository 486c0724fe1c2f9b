#include "presentation/CMainFrame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "driver/SetupApp.h"
#include "platform/WinConst.h"
#include "platform/sim/SimDeviceContext.h"
#include "support/Pictures.h"
#include "support/SimFixture.h"

namespace kestavo::test {
namespace {

class CMainFrameTest : public SimFixture {
protected:
    // Erases a frame made from the tag file and gives what was drawn.
    sim::SimDeviceContext Erase(const std::string& background) {
        PutTag("[BACKGROUND]\n" + background);
        CMainFrame frame(machine.GetPorts());
        frame.Window().Show(SW_SHOWMAXIMIZED);
        sim::SimDeviceContext dc(1, machine.scheduler, machine.trace);
        EXPECT_TRUE(frame.OnEraseBkgnd(dc));
        return dc;
    }
};

TEST_F(CMainFrameTest, GradientIsOneFillPerRowTowardTheBottomColour) {
    machine.desktop.screenWidth = 800;
    machine.desktop.screenHeight = 600;

    const sim::SimDeviceContext dc = Erase("3=x@0x00,0x00,0xFF\n4=x@0x00,0x00,0x00\n");

    ASSERT_EQ(600u, dc.fills.size());
    EXPECT_EQ(Rgb(0, 0, 255), dc.fills[0].color);
    EXPECT_EQ(Rgb(0, 0, 128), dc.fills[300].color);
    EXPECT_EQ(Rgb(0, 0, 1), dc.fills[599].color);
    EXPECT_TRUE(dc.fills[599].rect == (Rect{0, 599, 800, 600}));
}

TEST_F(CMainFrameTest, ColourTokensAreExact) {
    const auto color = [](const std::string& value) {
        const BackgroundColor c = CMainFrame::ParseColor(value);
        return std::vector<int>{c.red, c.green, c.blue};
    };
    EXPECT_EQ((std::vector<int>{255, 128, 192}), color("0xFF,0x80,0xC0"));
    EXPECT_EQ((std::vector<int>{0, 128, 192}), color("@0xff,0x80,0xC0"));
    EXPECT_EQ((std::vector<int>{0, 0, 255}), color("0xFF"));
    EXPECT_EQ((std::vector<int>{0, 255, 255}), color("a@b@0xFF,0xFF,0xFF"));
    EXPECT_EQ((std::vector<int>{0, 192, 0}), color(" 0xFF,0xC0,0xFF "));
    EXPECT_EQ((std::vector<int>{0, 0, 0}), color(""));
}

TEST_F(CMainFrameTest, TitleAndSecondTextInWhiteTimesNewRoman) {
    machine.desktop.screenWidth = 1024;
    machine.desktop.screenHeight = 768;

    const sim::SimDeviceContext dc = Erase("1=Acme Writer\n2=Installing...\n");

    ASSERT_EQ(2u, dc.texts.size());
    EXPECT_EQ("Acme Writer", dc.texts[0].text);
    EXPECT_EQ(24, dc.texts[0].x);
    EXPECT_EQ(14, dc.texts[0].y);
    EXPECT_EQ(TA_LEFT | TA_TOP, dc.texts[0].align);
    EXPECT_EQ(Rgb(255, 255, 255), dc.texts[0].color);
    EXPECT_EQ(TRANSPARENT, dc.texts[0].bkMode);
    EXPECT_EQ("Installing...", dc.texts[1].text);
    EXPECT_EQ(924, dc.texts[1].x);
    EXPECT_EQ(718, dc.texts[1].y);
    EXPECT_EQ(TA_RIGHT | TA_BOTTOM, dc.texts[1].align);
    // The fonts serve only the erase.
    EXPECT_EQ(0u, machine.desktop.LiveObjects());
}

TEST_F(CMainFrameTest, PictureComesFromTheSetupFolderAndPaintsAt10And10) {
    machine.PutSetupFile("logo.gif", CorpusPicture("logo300x200.gif"));
    PutTag("[BACKGROUND]\n5=art\\logo.gif\n");
    CMainFrame frame(machine.GetPorts());

    frame.OnPaint();

    EXPECT_TRUE(machine.trace.Has("picture: C:\\SETUP\\logo.gif 300 x 200"));
    EXPECT_TRUE(machine.trace.Has("draw 300 x 200 in window"));
    EXPECT_TRUE(machine.trace.Has("draw 300 x 200 in window " +
                                  std::to_string(frame.Window().Get()) + " at (10, 10)"));
}

TEST_F(CMainFrameTest, FocusAndClicksBringTheInstallerForwardOnlyWhenKnown) {
    CMainFrame frame(machine.GetPorts());
    frame.OnSetFocus();
    frame.OnLButtonDown();
    EXPECT_FALSE(machine.trace.Has("bring to front"));

    g_hInstallerWnd = 0x4242;
    frame.OnSetFocus();
    frame.OnLButtonDown();
    const std::vector<std::string> lines = machine.trace.Lines();
    EXPECT_EQ(2,
              std::count(lines.begin(), lines.end(), "bring to front: " + std::to_string(0x4242)));
}

class BackgroundRunTest : public SimFixture {
protected:
    void RunSetup() {
        machine.processes.AddProgram(
            "C:\\WINDOWS\\SYSTEM32\\msiexec.exe",
            sim::SimProgram{8000, 0, {{"Windows Installer", 200, "MsiDialogCloseClass"}}});
        SetupApp app(machine.GetPorts());
        app.InitInstance();
    }
};

TEST_F(BackgroundRunTest, ShownBeforeThePackageWhichItThenKeepsInFront) {
    PutTag("[SPLASH]\nA0=Disabled\n[BACKGROUND]\n0=01\n");

    RunSetup();

    const sim::SimFrameWindow* frame = machine.frames.Last();
    ASSERT_NE(nullptr, frame);
    EXPECT_EQ("Morlenby Kestavo", frame->title);
    EXPECT_EQ(0u, frame->style & WS_CAPTION);
    EXPECT_EQ(WS_EX_APPWINDOW | WS_EX_TOPMOST, frame->exStyle);
    EXPECT_FALSE(frame->hasMenu);
    EXPECT_EQ(2000, TimeOf("frame: show 3"));
    // Erased before the package starts; the installer's window is looked
    // for after half a second.
    EXPECT_EQ(2000, TimeOf("frame: erased 768 rows"));
    EXPECT_EQ(2000, TimeOf("start: app=C:\\WINDOWS\\SYSTEM32\\msiexec.exe"));
    EXPECT_NE(kNullHandle, g_hInstallerWnd);
}

TEST_F(BackgroundRunTest, OnlyExactlyOneShowsItAndNeverWhenSilent) {
    for (const char* tag : {"[BACKGROUND]\n0=2\n", "[BACKGROUND]\n0=yes\n", "[BACKGROUND]\n0=\n",
                            "[BUILD]\nSILENT=1\n[BACKGROUND]\n0=1\n"}) {
        sim::SimMachine fresh;
        fresh.PutSetupFile("kestavo.tag", std::string("[SPLASH]\nA0=Disabled\n") + tag);
        SetupApp app(fresh.GetPorts());
        app.InitInstance();
        EXPECT_EQ(nullptr, fresh.frames.Last()) << tag;
    }
    EXPECT_EQ(kNullHandle, g_hInstallerWnd);
}

}  // namespace
}  // namespace kestavo::test
