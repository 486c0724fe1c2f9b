// One record of the advanced-action list, run in both passes on a machine
// drawn from the input: eight lines are the record's fields A to H, and the
// rest is a machine file as the preview tool reads it (Windows version,
// running programs, installed products, files, registry values, answers).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "FuzzInput.h"
#include "actions/AdvancedActions.h"
#include "core/Globals.h"
#include "driver/SetupProgressDialog.h"
#include "platform/sim/SimMachine.h"
#include "vendortools/MachineProfile.h"
#include "vendortools/SetupFolderImage.h"

namespace {

std::string RecordFromInput(kestavo::fuzz::FuzzInput& input) {
    std::string record = "[ADVACTIONSKV]\nTOTAL=1\n";
    for (const char field : std::string("ABCDEFGH")) {
        record += std::string(1, field) + "0=" + input.Line() + "\n";
    }
    return record;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kestavo::fuzz::FuzzInput input(data, size);
    const std::string record = RecordFromInput(input);
    std::string error;
    std::optional<kestavo::vendortools::MachineProfile> profile =
        kestavo::vendortools::MachineProfile::FromFile(input.Rest(), error);
    if (!profile) {
        profile = kestavo::vendortools::MachineProfile::BuiltIn("winxp");
    }

    kestavo::g_hInstallerWnd = kestavo::kNullHandle;
    kestavo::sim::SimMachine machine;
    kestavo::vendortools::SetupFolderImage folder;
    folder.Put("kestavo.tag", record);
    folder.Put("tool.exe", "MZ");
    folder.Put("fix.bat", "@echo off");
    folder.PutInto(machine);
    profile->Apply(machine, folder.Programs());

    kestavo::SetupProgressDialog dialog(machine.GetPorts());
    dialog.InitFolders();
    if (kestavo::RunAdvancedActions(dialog, machine.GetPorts(), kestavo::ActionPass::First)) {
        kestavo::RunAdvancedActions(dialog, machine.GetPorts(),
                                    kestavo::ActionPass::PostCompletion);
    }
    return 0;
}
