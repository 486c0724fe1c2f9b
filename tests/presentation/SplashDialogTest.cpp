#include "presentation/SplashDialog.h"

#include <gtest/gtest.h>

#include <string>

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

    EXPECT_EQ(0, TimeOf("dialog 134: move (0, 0, 0 x 0)"));
    EXPECT_EQ(2000, TimeOf("dialog 134: end 1"));
}

}  // namespace
}  // namespace kestavo::test
