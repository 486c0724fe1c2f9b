#include "presentation/SplashDialog.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/WinConst.h"
#include "resources/resource.h"
#include "support/Pictures.h"
#include "support/SimFixture.h"

namespace kestavo::test {
namespace {

class SplashDialogTest : public SimFixture {
protected:
    unsigned Duration(const std::string& a4) {
        PutTag("[SPLASH]\nA4=" + a4 + "\n");
        return SplashDialog::DurationMs(TagFile(machine.system, machine.profile));
    }
};

TEST_F(SplashDialogTest, DurationIsSecondsWithFiveAsTheDefault) {
    EXPECT_EQ(2000u, Duration("2"));
    EXPECT_EQ(5000u, Duration("0"));
    EXPECT_EQ(5000u, Duration("abc"));
    EXPECT_EQ(5000u, Duration(""));
    EXPECT_EQ(7000u, Duration(" 7s"));
}

TEST_F(SplashDialogTest, DurationNeverWrapsIntoWeeksOrOverflows) {
    EXPECT_EQ(5000u, Duration("-1"));
    EXPECT_EQ(0x7FFFFFFFu, Duration("2147483647"));
}

TEST_F(SplashDialogTest, DisabledOrEmptyModeEndsAtOnce) {
    for (const char* mode : {"Disabled", ""}) {
        sim::SimMachine fresh;
        fresh.PutSetupFile("kestavo.tag", std::string("[SPLASH]\nA0=") + mode + "\nA4=9\n");
        SplashDialog dialog(fresh.GetPorts());
        dialog.DoModal();
        EXPECT_EQ(0, fresh.trace.FirstTime("dialog 134: end 1")) << mode;
    }
}

TEST_F(SplashDialogTest, UnknownModeStaysInvisibleForItsTime) {
    PutTag("[SPLASH]\nA0=disabled\nA4=2\n");
    SplashDialog dialog(machine.GetPorts());

    dialog.DoModal();

    EXPECT_EQ(0, TimeOf("dialog 134: place (0, 0, 0 x 0) on top, flags 0"));
    EXPECT_EQ(2000, TimeOf("dialog 134: end 1"));
}

class SplashModeTest : public SimFixture {
protected:
    // Runs the splash alone, as its thread would, and gives its end time.
    long long RunSplash(const std::string& splash) {
        PutTag("[SPLASH]\n" + splash);
        SplashDialog dialog(machine.GetPorts());
        dialog.DoModal();
        return machine.trace.FirstTime("dialog 134: end 1");
    }
};

TEST_F(SplashModeTest, PictureTakesItsSizeCentredAndStaysItsTime) {
    machine.PutSetupFile("setup.bmp", CorpusPicture("logo300x200.gif"));

    EXPECT_EQ(5000, RunSplash("A0=Picture\n"));

    EXPECT_TRUE(machine.trace.Has("dialog 134: show item 1001 0"));
    EXPECT_EQ(0, TimeOf("dialog 134: place (362, 284, 300 x 200) on top, flags 32"));
    EXPECT_TRUE(machine.trace.Has("draw 300 x 200 in window"));
    EXPECT_EQ(0u, machine.desktop.LiveObjects());
}

TEST_F(SplashModeTest, OddPictureSizesHalveTowardZero) {
    machine.PutSetupFile("setup.bmp", CorpusPicture("photo301x201.jpg"));

    RunSplash("A0=Picture\nA4=2\n");

    EXPECT_TRUE(machine.trace.Has("dialog 134: place (362, 284, 301 x 201) on top"));
}

// Besides files that hold no picture: a bitmap whose rows the file cannot
// hold, a JPEG without a scan, a GIF whose first image is 30000 x 30000 in a
// screen of one pixel, as Windows refuses them.
TEST_F(SplashModeTest, PictureThatCannotLoadLeavesTheTemplateForItsTime) {
    std::string hugeImage = CorpusPicture("logo300x200.gif");
    hugeImage.replace(6, 4, std::string("\x01\0\x01\0", 4)).replace(32, 4, "\x30\x75\x30\x75");
    for (const std::string& content :
         {std::string(), std::string("just text"), CorpusPicture("small16x8.bmp").substr(0, 20),
          CorpusPicture("small16x8.bmp").substr(0, 437),
          CorpusPicture("photo301x201.jpg").substr(0, 177), hugeImage}) {
        sim::SimMachine fresh;
        fresh.PutSetupFile("kestavo.tag", "[SPLASH]\nA0=Picture\nA4=1\n");
        fresh.PutSetupFile("setup.bmp", content);
        SplashDialog dialog(fresh.GetPorts());
        dialog.DoModal();
        EXPECT_FALSE(fresh.trace.Has("dialog 134: place")) << fresh.trace.Dump();
        EXPECT_EQ(1000, fresh.trace.FirstTime("dialog 134: end 1"));
    }
}

// Decoders pass over bytes between a JPEG's segments with a warning.
TEST_F(SplashModeTest, JpegWithAStrayByteBeforeItsFrameIsShown) {
    machine.PutSetupFile("setup.bmp", CorpusPicture("photo301x201.jpg").insert(158, 1, '\0'));

    RunSplash("A0=Picture\nA4=2\n");

    EXPECT_TRUE(machine.trace.Has("dialog 134: place (362, 284, 301 x 201) on top"));
}

TEST_F(SplashModeTest, HugePictureStillCentres) {
    machine.PutSetupFile("setup.bmp", RleBitmap(10000, 10000));

    RunSplash("A0=Picture\nA4=1\n");

    EXPECT_TRUE(machine.trace.Has("dialog 134: place (-4488, -4616, 10000 x 10000) on top"));
}

TEST_F(SplashModeTest, AnimationPlaysInA640By450WindowAboveTheMiddle) {
    machine.system.currentDirectory = "D:\\";
    machine.files.Put("D:\\kestavo.tag", "[SPLASH]\nA0=Animation\nA4=3\n");
    SplashDialog dialog(machine.GetPorts());

    dialog.DoModal();

    EXPECT_EQ((std::vector<std::string>{
                  "dialog 134: create",
                  "dialog 134: show item 1002 5",
                  "dialog 134: place (192, 144, 640 x 450) on top, flags 0",
                  "dialog 134: move item 1002 (0, 0, 640 x 450)",
                  "dialog 134: animation 1002 open D:\\kvavi.avi",
                  "dialog 134: animation 1002 play 4294901760",
                  "dialog 134: timer 1 every 3000 ms",
                  "dialog 134: show 5",
                  "dialog 134: end 1",
              }),
              machine.trace.Lines());
}

TEST_F(SplashModeTest, SoundPlaysInEveryModeDisabledIncluded) {
    struct Case {
        const char* mode;
        const char* sound;
        const char* expected;
    };
    for (const Case& c :
         {Case{"Disabled", "Sound On", "flags 3"}, Case{"", "Sound On - Loop", "flags 11"},
          Case{"Animation", "Sound On", "flags 3"}, Case{"Picture", "sound on", nullptr}}) {
        sim::SimMachine fresh;
        fresh.PutSetupFile("kestavo.tag",
                           std::string("[SPLASH]\nA0=") + c.mode + "\nA2=" + c.sound + "\n");
        SplashDialog dialog(fresh.GetPorts());
        dialog.DoModal();
        if (c.expected == nullptr) {
            EXPECT_FALSE(fresh.trace.Has("sound")) << c.mode;
        } else {
            EXPECT_TRUE(fresh.trace.Has(std::string("sound: C:\\SETUP\\kvsound.wav ") + c.expected))
                << c.mode << "\n"
                << fresh.trace.Dump();
        }
    }
}

TEST_F(SplashModeTest, InternetShortcutShowsTheAddressOverThePlaceholder) {
    RunSplash("A0=Internet Shortcut\nA1=http://vendor.invalid/" + std::string(120, 'p') +
              "\nA4=1\n");

    EXPECT_TRUE(machine.trace.Has("dialog 134: place (192, 144, 640 x 450) on top, flags 0"));
    EXPECT_TRUE(machine.trace.Has("browser: created as item 1003 at (0, 0, 640 x 450)"));
    EXPECT_TRUE(
        machine.trace.Has("browser: navigated http://vendor.invalid/" + std::string(99 - 22, 'p')));
    EXPECT_TRUE(machine.browsers.registeredAsBrowser);
}

}  // namespace
}  // namespace kestavo::test
