#include "SetupRun.h"

#include <cstdlib>
#include <optional>
#include <vector>

#include "core/Globals.h"
#include "driver/SetupApp.h"
#include "platform/sim/SimMachine.h"
#include "vendortools/MachineProfile.h"
#include "vendortools/SetupFolderImage.h"

namespace kestavo::fuzz {

namespace {

// Any run that is still going after this much virtual time is given up as
// hung: no setup the program takes shows its windows that long, and a
// 10 ms timer over a longer span would cost real seconds.
constexpr std::uint64_t kVirtualTimeLimitMs = 3600 * 1000;

const vendortools::SetupFolderImage& ExampleFolder() {
    static const std::optional<vendortools::SetupFolderImage> folder =
        vendortools::SetupFolderImage::Load(SETUP_EXAMPLE_DIR);
    if (!folder) {
        std::abort();
    }
    return *folder;
}

// A new process starts with these; the previous input's run must not leak
// into the next one.
void ResetProcessValues() {
    g_hInstallerWnd = kNullHandle;
    g_nSplashDone.store(0);
    g_strBackgroundTitle.clear();
    g_strBackgroundText.clear();
    g_strBackgroundTopColor.clear();
    g_strBackgroundBottomColor.clear();
    g_strBackgroundPicture.clear();
}

}  // namespace

void RunSetupWith(const char* fileName, const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::string> machines = vendortools::MachineProfile::BuiltInNames();
    const std::optional<vendortools::MachineProfile> machine =
        vendortools::MachineProfile::BuiltIn(machines[size % machines.size()]);
    vendortools::SetupFolderImage folder = ExampleFolder();
    folder.Put(fileName, std::string(reinterpret_cast<const char*>(data), size));
    ResetProcessValues();
    sim::SimMachine simulated;
    folder.PutInto(simulated);
    machine->Apply(simulated, folder.Programs());
    simulated.dialogs.limitMs = kVirtualTimeLimitMs;
    SetupApp app(simulated.GetPorts());
    app.InitInstance();
}

}  // namespace kestavo::fuzz
