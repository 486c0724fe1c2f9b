#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/Globals.h"
#include "platform/sim/SimMachine.h"

namespace kestavo::test {

// A fresh simulated machine for each test, with the process-wide values as
// a new process has them.
class SimFixture : public ::testing::Test {
protected:
    SimFixture() {
        g_nSplashDone.store(0);
        g_hInstallerWnd = kNullHandle;
    }

    void PutTag(const std::string& content) { machine.PutSetupFile("kestavo.tag", content); }

    // The time of the first trace entry that starts with `prefix`; fails
    // the test when there is none.
    long long TimeOf(const std::string& prefix) {
        const long long time = machine.trace.FirstTime(prefix);
        EXPECT_GE(time, 0) << "no \"" << prefix << "\" in\n" << machine.trace.Dump();
        return time;
    }

    sim::SimMachine machine;
};

}  // namespace kestavo::test
