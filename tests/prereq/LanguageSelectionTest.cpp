#include "prereq/LanguageSelection.h"

#include <gtest/gtest.h>

#include <string>

#include "support/SimFixture.h"

namespace kestavo::test {
namespace {

class LanguageSelectionTest : public SimFixture {
protected:
    void Mode(const std::string& mode) { PutTag("[APPINFO]\nLanguageM=" + mode + "\n"); }

    void AddSwitcher(const std::string& path) {
        machine.processes.AddProgram(path, sim::SimProgram{3000, 0, {}});
    }

    LanguageSelection& Select() {
        m_language.SelectLanguage();
        return m_language;
    }

    LanguageSelection m_language{machine.GetPorts()};
};

TEST_F(LanguageSelectionTest, BothModesRunTheSwitcherWithTheQuotedSetupFolder) {
    AddSwitcher("C:\\SETUP\\switch.exe");
    for (const char* mode : {"Auto-Detect Language", "Ask user for Language"}) {
        sim::SimMachine fresh;
        fresh.processes.AddProgram("C:\\SETUP\\switch.exe", sim::SimProgram{3000, 0, {}});
        fresh.PutSetupFile("kestavo.tag", std::string("[appinfo]\nlanguagem=") + mode + "\n");
        LanguageSelection(fresh.GetPorts()).SelectLanguage();
        EXPECT_EQ(0, fresh.trace.FirstTime(
                         "shell: file=C:\\SETUP\\switch.exe params=\"C:\\SETUP\\\" dir=C:\\SETUP"))
            << mode << "\n"
            << fresh.trace.Dump();
        // Waited for without pumping: nothing else happened meanwhile.
        EXPECT_EQ(3000u, fresh.scheduler.Now());
        EXPECT_EQ(0u, fresh.processes.OpenHandles());
    }
}

TEST_F(LanguageSelectionTest, OtherValuesRunNothing) {
    AddSwitcher("C:\\SETUP\\switch.exe");
    for (const char* mode : {"auto-detect language", "\"Auto-Detect Language \"", "English", ""}) {
        Mode(mode);
        Select();
    }
    EXPECT_FALSE(machine.trace.Has("shell"));
}

TEST_F(LanguageSelectionTest, SwitcherInLanguagesFolderWins) {
    AddSwitcher("C:\\SETUP\\switch.exe");
    AddSwitcher("C:\\SETUP\\Languages\\switch.exe");
    Mode("Ask user for Language");

    Select();

    EXPECT_TRUE(machine.trace.Has("shell: file=C:\\SETUP\\Languages\\switch.exe"));
    EXPECT_FALSE(machine.trace.Has("shell: file=C:\\SETUP\\switch.exe"));
}

TEST_F(LanguageSelectionTest, DriveRootKeepsItsOwnSeparator) {
    machine.system.currentDirectory = "D:\\";
    AddSwitcher("D:\\switch.exe");
    machine.files.Put("D:\\kestavo.tag", "[APPINFO]\nLanguageM=Ask user for Language\n");

    Select();

    EXPECT_TRUE(machine.trace.Has("shell: file=D:\\switch.exe params=\"D:\\\" dir=D:\\"));
}

TEST_F(LanguageSelectionTest, SystemWithoutUiLanguageNeverRunsTheSwitcher) {
    AddSwitcher("C:\\SETUP\\switch.exe");
    machine.modules.uiLanguage = IModulePort::UiLanguage{true, false, 0};
    Mode("Ask user for Language");

    EXPECT_EQ(255, Select().m_nNoUiLanguage);
    EXPECT_FALSE(machine.trace.Has("shell"));
}

TEST_F(LanguageSelectionTest, MissingSwitcherRunsNothing) {
    Mode("Auto-Detect Language");
    Select();
    EXPECT_FALSE(machine.trace.Has("shell"));
}

TEST_F(LanguageSelectionTest, AutoDetectNamesTheSystemLanguage) {
    machine.modules.uiLanguage = IModulePort::UiLanguage{true, true, 0x0407};
    Mode("Auto-Detect Language");
    EXPECT_EQ("German", Select().m_strDetectedLanguage);
}

TEST_F(LanguageSelectionTest, LanguageNamesComeFromTheLowSixteenBits) {
    EXPECT_EQ("English", LanguageSelection::LanguageNameFor(0));
    EXPECT_EQ("English", LanguageSelection::LanguageNameFor(0x10000));
    EXPECT_EQ("Dutch", LanguageSelection::LanguageNameFor(0x0813));
    EXPECT_EQ("", LanguageSelection::LanguageNameFor(0x0413));
    EXPECT_EQ("Chinese", LanguageSelection::LanguageNameFor(0x20804));
    EXPECT_EQ("Serbian", LanguageSelection::LanguageNameFor(0x0C1A));
}

}  // namespace
}  // namespace kestavo::test
