// The small parsers of the tag file's values: numbers, list keys, colours,
// versions and folder macros. The first line is given to each parser; the
// next twelve are the machine's folders, and the rest is a path with
// folder macros.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzInput.h"
#include "actions/FolderMacros.h"
#include "core/TagFile.h"
#include "driver/SetupProgressDialog.h"
#include "platform/sim/SimMachine.h"
#include "prereq/InstallerRuntime.h"
#include "presentation/CMainFrame.h"

namespace {

using kestavo::SetupProgressDialog;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool IsColorLevel(int level) {
    return level == 0 || level == 0x80 || level == 0xC0 || level == 0xFF;
}

void ParseValue(const std::string& text) {
    const int number = kestavo::TagFile::AtoI(text);
    const int index = kestavo::TagFile::ListIndex(text);
    Require(index >= -1);
    if (number >= 0) {
        Require(kestavo::TagFile::ListIndex(kestavo::TagFile::ListKey('B', number)) == number);
    }
    const kestavo::BackgroundColor color = kestavo::CMainFrame::ParseColor(text);
    Require(IsColorLevel(color.red) && IsColorLevel(color.green) && IsColorLevel(color.blue));
    unsigned long major = 0;
    unsigned long minor = 0;
    unsigned long build = 0;
    kestavo::ParseVersionString(text, major, minor, build);
}

std::string SetupProgressDialog::*const kFolders[] = {
    &SetupProgressDialog::m_strProgramFilesDir, &SetupProgressDialog::m_strWindowsDir,
    &SetupProgressDialog::m_strSystemDir,       &SetupProgressDialog::m_strCommonFilesDir,
    &SetupProgressDialog::m_strWindowsDisk,     &SetupProgressDialog::m_strFavoritesDir,
    &SetupProgressDialog::m_strDocumentsDir,    &SetupProgressDialog::m_strMyPicturesDir,
    &SetupProgressDialog::m_strMyMusicDir,      &SetupProgressDialog::m_strSendToDir,
    &SetupProgressDialog::m_strFontsDir,        &SetupProgressDialog::m_strInstallDir,
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kestavo::fuzz::FuzzInput input(data, size);
    ParseValue(input.Line());

    kestavo::sim::SimMachine machine;
    SetupProgressDialog dialog(machine.GetPorts());
    for (std::string SetupProgressDialog::*folder : kFolders) {
        dialog.*folder = input.Line();
    }
    kestavo::ExpandFolderMacros(dialog, machine.system, input.Rest());
    return 0;
}
