#pragma once

#include <string>
#include <vector>

#include "platform/IDecisionObserver.h"
#include "platform/IRegistryPort.h"
#include "platform/MachineReadPorts.h"
#include "vendortools/MachineProfile.h"
#include "vendortools/SetupFolderImage.h"

namespace kestavo::vendortools {

// A real machine's answers to the questions a setup folder's tag files can
// ask, as a machine profile that a machine file holds and any system
// replays. The general ones (system, installer runtime, language, code
// page, folders, registry views, screen, the registry values the program
// reads) are asked of the read ports at once; the ones a tag file names
// (an uninstall entry, a file, a window) are taken from a dry run of the
// folder, as the program reports what it found. Nothing else: not the
// machine's other products, files or windows, nor a shell folder (which
// may name the user) that no folder macro of the tag files names.
class MachineCapture : public IDecisionObserver {
public:
    // Without a folder, the general answers alone, every shell folder among
    // them; with one, the machine's current folder is taken for the setup
    // folder, as setup.exe started in it.
    MachineCapture(const MachineReadPorts& machine, const SetupFolderImage* folder);

    // What the dry run found, as the program reports it.
    void Decided(Decision decision, const std::string* text, int number) override;
    // Runs the folder on the machine, as `--machine this` does, and takes
    // what the program found there: the folder's questions and their answers.
    void FollowDryRun(const SetupFolderImage& folder);

    const MachineProfile& Profile() const { return m_profile; }

private:
    void AskGeneral(const SetupFolderImage* folder);
    void AskRuntime();
    void AskShellFolders(const SetupFolderImage* folder);
    void AddProduct(const std::string& name);
    void AddFile(const std::string& path);
    void AddWindows(const std::vector<TopLevelWindow>& windows);

    MachineReadPorts m_machine;
    MachineProfile m_profile;
    // The uninstall entry reported before the product it made installed.
    std::string m_strEntry;
    RegistryView m_entryView = RegistryView::Own;
    bool m_bEntryNamed = false;
};

}  // namespace kestavo::vendortools
