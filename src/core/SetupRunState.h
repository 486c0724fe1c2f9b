#pragma once

#include <string>

namespace kestavo {

// The run's flags and the folder table: what the progress dialog owns and
// the advanced actions read and write while it runs. Flags hold 255 for set
// and 0 for clear; the folders are filled once, before any action reads
// them.
struct SetupRunState {
    int m_nBackgroundShown = 0;
    int m_nSilent = 0;
    int m_nRunAfterComplete = 0;
    int m_nUpdateRuntime = 0;

    std::string m_strWindowsDir;
    std::string m_strWindowsDisk;
    std::string m_strSystemDir;
    std::string m_strProgramFilesDir;
    std::string m_strCommonFilesDir;
    std::string m_strFavoritesDir;
    std::string m_strDocumentsDir;
    std::string m_strMyPicturesDir;
    std::string m_strMyMusicDir;
    std::string m_strSendToDir;
    std::string m_strFontsDir;
    std::string m_strInstallDir;
};

}  // namespace kestavo
