#pragma once

#include <string>

#include "platform/ISystemPort.h"
#include "platform/sim/SimSystem.h"

namespace kestavo::vendortools {

// The kernel as a dry run sees it: a real machine answers every question
// about itself, and the one change the program makes, to its error mode,
// is the simulated machine's. The program's own name is the simulated
// setup.exe's, not the tool's that runs it.
class DryRunSystem : public ISystemPort {
public:
    DryRunSystem(ISystemReadPort& machine, sim::SimSystem& effects)
        : m_machine(machine), m_effects(effects) {}

    std::string CurrentDirectory() override { return m_machine.CurrentDirectory(); }
    std::string SystemDirectory() override { return m_machine.SystemDirectory(); }
    std::string WindowsDirectory() override { return m_machine.WindowsDirectory(); }
    bool FileExists(const std::string& path) override { return m_machine.FileExists(path); }
    std::string TempDirectory() override { return m_machine.TempDirectory(); }
    std::string FullPathName(const std::string& path) override {
        return m_machine.FullPathName(path);
    }
    bool AnyFileMatches(const std::string& pattern) override {
        return m_machine.AnyFileMatches(pattern);
    }
    std::string AppName() override { return m_effects.AppName(); }
    bool IsLeadByte(unsigned char byte) override { return m_machine.IsLeadByte(byte); }
    std::string EnvironmentVariable(const std::string& name) override {
        return m_machine.EnvironmentVariable(name);
    }
    std::string SpecialFolderPath(int csidl) override { return m_machine.SpecialFolderPath(csidl); }
    OsVersion GetOsVersion() override { return m_machine.GetOsVersion(); }

    unsigned SetErrorMode(unsigned mode) override { return m_effects.SetErrorMode(mode); }

private:
    ISystemReadPort& m_machine;
    sim::SimSystem& m_effects;
};

}  // namespace kestavo::vendortools
