#include "presentation/BillboardDialog.h"

#include <gtest/gtest.h>

#include <string>

#include "driver/SetupApp.h"
#include "support/Pictures.h"
#include "support/SimFixture.h"

namespace kestavo::test {
namespace {

class BillboardDialogTest : public SimFixture {
protected:
    void RunSlideshow(const std::string& list) {
        PutTag("[BILLBOARDSKV]\n" + list);
        BillboardDialog dialog(machine.GetPorts());
        dialog.DoModal();
    }

    void PutImage(const std::string& name, const std::string& picture) {
        machine.PutSetupFile("images\\" + name, CorpusPicture(picture));
    }
};

TEST_F(BillboardDialogTest, EachBillboardForItsTimeAtItsPlace) {
    PutImage("one.gif", "logo300x200.gif");
    PutImage("two.jpg", "photo301x201.jpg");
    PutImage("three.bmp", "small16x8.bmp");

    RunSlideshow(
        "TOTAL=3\nB0=pics\\one.gif\nC0=5\nD0=10\nE0=20\n"
        "B1=two.jpg\nC1=10\nD1=0\nE1=-5\nB2=three.bmp\nC2=5\n");

    EXPECT_EQ(0, TimeOf("dialog 142: place (10, 20, 300 x 200) on top, flags 32"));
    EXPECT_EQ(5000, TimeOf("dialog 142: place (1, -5, 301 x 201) on top"));
    EXPECT_EQ(15000, TimeOf("dialog 142: place (1, 1, 16 x 8) on top"));
    EXPECT_EQ(20000, TimeOf("dialog 142: end 1"));
    EXPECT_EQ(0u, machine.desktop.LiveObjects());
}

TEST_F(BillboardDialogTest, APlaceAtTheEndOfTheNumbersKeepsItsFarEdgeThere) {
    PutImage("one.gif", "logo300x200.gif");

    RunSlideshow("TOTAL=1\nB0=one.gif\nC0=1\nD0=2147483647\nE0=-2147483648\n");

    EXPECT_TRUE(
        machine.trace.Has("dialog 142: place (2147483647, -2147483648, 0 x 200) on top, flags 32"));
}

TEST_F(BillboardDialogTest, PictureNameKeepsItsDoubleByteCharacters) {
    machine.system.codePage = 932;
    PutImage("\x94\x5C.gif", "logo300x200.gif");  // "能"

    RunSlideshow("TOTAL=1\nB0=art\\\x94\x5C.gif\nC0=1\n");

    EXPECT_TRUE(machine.trace.Has("picture: C:\\SETUP\\images\\\x94\x5C.gif 300 x 200"));
}

TEST_F(BillboardDialogTest, PictureThatFailsKeepsTheLastGoodOneAtTheNewPlace) {
    PutImage("one.gif", "logo300x200.gif");
    // A whole header claiming 30000 x 30000 pixels: refused as Windows
    // refuses it, before a decoder would allocate them.
    machine.PutSetupFile("images\\broken.gif", std::string("GIF89a\x30\x75\x30\x75\0\0\0", 13));

    machine.scheduler.At(1500, [this] { machine.dialogs.Paint(142); });

    RunSlideshow("TOTAL=2\nB0=one.gif\nC0=1\nB1=broken.gif\nC1=1\nD1=50\nE1=60\n");

    EXPECT_EQ(1000, TimeOf("picture failed: C:\\SETUP\\images\\broken.gif"));
    EXPECT_EQ(1500, TimeOf("dialog 142: place (50, 60, 300 x 200) on top"));
    EXPECT_EQ(2000, TimeOf("dialog 142: end 1"));
}

TEST_F(BillboardDialogTest, ZeroTimeMovesOnAtOnceAndNegativeTotalEndsAtOnce) {
    PutImage("one.gif", "logo300x200.gif");
    RunSlideshow("TOTAL=2\nB0=one.gif\nC0=0\nB1=one.gif\nC1=1\n");
    EXPECT_EQ(1010, TimeOf("dialog 142: end 1"));

    sim::SimMachine fresh;
    fresh.PutSetupFile("kestavo.tag", "[BILLBOARDSKV]\nTOTAL=-4\nB0=x\nC0=9\n");
    BillboardDialog dialog(fresh.GetPorts());
    dialog.DoModal();
    EXPECT_EQ(10, fresh.trace.FirstTime("dialog 142: end 1"));
}

TEST_F(BillboardDialogTest, AListLongerThanTwentyKeepsItsFirstTwenty) {
    std::string list = "TOTAL=300\n";
    for (int i = 0; i < 300; ++i) {
        list += "C" + std::to_string(i) + "=1\n";
    }

    RunSlideshow(list);

    EXPECT_EQ(20000, TimeOf("dialog 142: end 1"));
}

TEST_F(BillboardDialogTest, SlideshowRunsBesideTheInstallationEvenWhenSilent) {
    PutImage("one.gif", "logo300x200.gif");
    PutTag("[BUILD]\nSILENT=1\n[BILLBOARDSKV]\nTOTAL=1\nB0=one.gif\nC0=3\n");
    machine.processes.AddProgram("C:\\WINDOWS\\SYSTEM32\\msiexec.exe",
                                 sim::SimProgram{10000, 0, {}});

    SetupApp app(machine.GetPorts());
    app.InitInstance();

    EXPECT_EQ(0, TimeOf("thread start: CBillBoardTH"));
    EXPECT_EQ(3000, TimeOf("dialog 142: end 1"));
    EXPECT_EQ(10000, TimeOf("dialog 102: end 1"));

    // Any count but zero starts the thread, a negative one too.
    for (const char* total : {"-1", "0", ""}) {
        sim::SimMachine fresh;
        fresh.PutSetupFile("kestavo.tag",
                           std::string("[BUILD]\nSILENT=1\n[BILLBOARDSKV]\nTOTAL=") + total + "\n");
        SetupApp run(fresh.GetPorts());
        run.InitInstance();
        EXPECT_EQ(std::string(total) == "-1", fresh.trace.Has("thread start: CBillBoardTH"))
            << total;
    }
}

// The slideshow has a thread of its own: the installer's end is seen when
// it comes, not when the last billboard goes.
TEST_F(BillboardDialogTest, ALongSlideshowHoldsUpNeitherTheInstallerNorItsOwnStart) {
    PutImage("one.gif", "logo300x200.gif");
    PutTag(
        "[SPLASH]\nA0=Disabled\n[BACKGROUND]\n0=1\n"
        "[BILLBOARDSKV]\nTOTAL=1\nB0=one.gif\nC0=60\nD0=10\nE0=20\n");
    machine.processes.AddProgram("C:\\WINDOWS\\SYSTEM32\\msiexec.exe",
                                 sim::SimProgram{12000, 0, {}});

    SetupApp app(machine.GetPorts());
    app.InitInstance();

    EXPECT_EQ(2000, TimeOf("start: app=C:\\WINDOWS\\SYSTEM32\\msiexec.exe"));
    EXPECT_EQ(2000, TimeOf("dialog 142: place (10, 20, 300 x 200) on top"));
    EXPECT_EQ(14000, TimeOf("exit: C:\\WINDOWS\\SYSTEM32\\msiexec.exe 0"));
    EXPECT_EQ(14000, TimeOf("dialog 102: end 1"));
    EXPECT_FALSE(machine.trace.Has("dialog 142: end")) << machine.trace.Dump();
}

}  // namespace
}  // namespace kestavo::test
