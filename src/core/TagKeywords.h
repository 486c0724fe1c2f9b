#pragma once

// The words setup.exe compares tag-file values with, byte for byte: letter
// case, blanks and spelling all count. The program and the vendor's
// checker both take them from here, so the two cannot disagree.

namespace kestavo::keywords {

// FILESUPPORT B<i>: when a program runs.
inline constexpr const char kBeforeInstallation[] = "Before installation";
inline constexpr const char kAfterInstallation[] = "After installation";
inline constexpr const char* kFileSupportPoints[] = {kBeforeInstallation, kAfterInstallation};

// SPLASH A0: what the splash shows. "Disabled" and an empty value end the
// splash at once; any other value shows nothing for A4 seconds.
inline constexpr const char kSplashDisabled[] = "Disabled";
inline constexpr const char kSplashPicture[] = "Picture";
inline constexpr const char kSplashAnimation[] = "Animation";
inline constexpr const char kSplashInternetShortcut[] = "Internet Shortcut";
inline constexpr const char* kSplashModes[] = {kSplashDisabled, kSplashPicture, kSplashAnimation,
                                               kSplashInternetShortcut};

// SPLASH A2: the splash sound; any other value plays none.
inline constexpr const char kSoundOn[] = "Sound On";
inline constexpr const char kSoundOnLoop[] = "Sound On - Loop";
inline constexpr const char* kSoundModes[] = {kSoundOn, kSoundOnLoop};

// APPINFO LanguageM: both run the language switcher.
inline constexpr const char kAutoDetectLanguage[] = "Auto-Detect Language";
inline constexpr const char kAskUserForLanguage[] = "Ask user for Language";
inline constexpr const char* kLanguageModes[] = {kAutoDetectLanguage, kAskUserForLanguage};

// ADVACTIONSKV B<i>: the conditions, in the order they are tried, then the
// actions.
inline constexpr const char kIfRunning[] = "If the program described below is running";
inline constexpr const char kIfInstalled[] = "If the program described below is installed";
inline constexpr const char kIfNotInstalled[] = "If the program described below is not installed";
inline constexpr const char kIfFileExists[] = "If the file described below exists";
inline constexpr const char kIfNoDotNet[] = "If .NET Framework don't exist";
inline constexpr const char kIfWindows95[] = "If Windows 95";
inline constexpr const char kIfWindows98[] = "If Windows 98";
inline constexpr const char kShowMessageBox[] = "Show MessageBox";
inline constexpr const char kRunTormivex[] = "Run Tormivex";
inline constexpr const char kRunThirdParty[] = "Run 3rd party software";
inline constexpr const char kRunThirdPartyAndWait[] = "Run 3rd party software and wait";
inline constexpr const char* kActionTypes[] = {
    kIfRunning,   kIfInstalled,   kIfNotInstalled,      kIfFileExists,
    kIfNoDotNet,  kIfWindows95,   kIfWindows98,         kShowMessageBox,
    kRunTormivex, kRunThirdParty, kRunThirdPartyAndWait};
// The types that are conditions: a then-action and the completion choice
// follow only when the condition holds. The others act directly.
inline constexpr const char* kConditionTypes[] = {kIfRunning,    kIfInstalled, kIfNotInstalled,
                                                  kIfFileExists, kIfNoDotNet,  kIfWindows95,
                                                  kIfWindows98};

// ADVACTIONSKV D<i>: what a condition that holds does.
inline constexpr const char kCloseProgram[] = "Close Program";
inline constexpr const char kRunProgram[] = "Run Program";
inline constexpr const char* kThenActions[] = {kCloseProgram, kRunProgram, kShowMessageBox};

// ADVACTIONSKV E<i>: what follows a record that acted; any other value
// goes on with the installation.
inline constexpr const char kStopInstallation[] = "Stop installation";
inline constexpr const char kRestartComputer[] = "Restart Computer";
inline constexpr const char* kCompletionChoices[] = {kStopInstallation, kRestartComputer};

// ADVACTIONSKV F<i>: a record so marked runs only after the package; any
// other value runs it before (and, with SPLASH B0, after too).
inline constexpr const char kAfterSetupComplete[] = "After Setup Complete Dialog";

}  // namespace kestavo::keywords
