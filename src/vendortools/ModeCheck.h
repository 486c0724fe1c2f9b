#pragma once

#include "vendortools/CheckedFolder.h"
#include "vendortools/FindingList.h"

namespace kestavo::vendortools {

// What the setup's modes do to the rest of the tag file: a silent setup
// ignores its splash, background and texts and still shows its billboards;
// a code page hides the dialog's texts, a missing text leaves it empty; the
// language step needs a system function older systems lack; a web-page
// splash needs an address.
class ModeCheck {
public:
    ModeCheck(const CheckedFolder& folder, FindingList& findings)
        : m_folder(folder), m_findings(findings) {}

    void Run();

private:
    void CheckSilence();
    void CheckDialogTexts();
    void CheckLanguageStep();
    void CheckSplashAddress();
    void CheckAmpersand(const char* key, const std::string& text, bool message);
    void CheckBackgroundShown();

    const CheckedFolder& m_folder;
    FindingList& m_findings;
};

}  // namespace kestavo::vendortools
