#pragma once

#include "vendortools/Finding.h"

// Every kind of finding the checker gives, with its code. A code is never
// reused nor given another meaning: vendors silence codes in their CI, and
// docs/tag-file.md documents each. New kinds take new numbers.
namespace kestavo::vendortools::kinds {

// The tag files themselves: their names, encoding, sections and keys.
inline constexpr FindingKind kNoTagFile{"KT101", Severity::Note};
inline constexpr FindingKind kByteOrderMark{"KT102", Severity::Warning};
inline constexpr FindingKind kUtf8Text{"KT103", Severity::Warning};
inline constexpr FindingKind kSectionAgain{"KT104", Severity::Warning};
inline constexpr FindingKind kUnknownSection{"KT105", Severity::Warning};
inline constexpr FindingKind kMisspelledSection{"KT106", Severity::Error};
inline constexpr FindingKind kKeyAgain{"KT107", Severity::Warning};
inline constexpr FindingKind kUnknownKey{"KT108", Severity::Warning};
inline constexpr FindingKind kMisspelledKey{"KT109", Severity::Error};
inline constexpr FindingKind kKeyOutsideSection{"KT110", Severity::Warning};
inline constexpr FindingKind kKeyOfOtherFile{"KT111", Severity::Error};
inline constexpr FindingKind kTagFileMisnamed{"KT112", Severity::Error};
inline constexpr FindingKind kTagFileNotText{"KT113", Severity::Error};
inline constexpr FindingKind kKeyOfOtherSection{"KT114", Severity::Error};

// Values: numbers, keywords, colours, texts.
inline constexpr FindingKind kValueCut{"KT201", Severity::Warning};
inline constexpr FindingKind kNotWholeNumber{"KT202", Severity::Warning};
inline constexpr FindingKind kFlagNotNumber{"KT203", Severity::Error};
inline constexpr FindingKind kFlagOtherNumber{"KT204", Severity::Warning};
inline constexpr FindingKind kNegativeTime{"KT205", Severity::Warning};
inline constexpr FindingKind kEndlessTime{"KT206", Severity::Warning};
inline constexpr FindingKind kNoKeyword{"KT207", Severity::Error};
inline constexpr FindingKind kColourPart{"KT208", Severity::Warning};
inline constexpr FindingKind kTextHiddenByCodePage{"KT209", Severity::Warning};
inline constexpr FindingKind kSplashZeroSeconds{"KT210", Severity::Warning};
inline constexpr FindingKind kBillboardNoTime{"KT211", Severity::Warning};
inline constexpr FindingKind kEscapeShownAsWritten{"KT212", Severity::Warning};
inline constexpr FindingKind kCountNotNumber{"KT213", Severity::Error};
inline constexpr FindingKind kDialogTextMissing{"KT214", Severity::Warning};
inline constexpr FindingKind kCommentInValue{"KT215", Severity::Error};
inline constexpr FindingKind kAmpersandInDialogText{"KT216", Severity::Error};

// The lists and their records.
inline constexpr FindingKind kNegativeTotal{"KT301", Severity::Warning};
inline constexpr FindingKind kRecordAfterTotal{"KT302", Severity::Warning};
inline constexpr FindingKind kBillboardPastLimit{"KT303", Severity::Warning};
inline constexpr FindingKind kTotalCountsMissingRecords{"KT304", Severity::Warning};
inline constexpr FindingKind kRecordWithoutKeyField{"KT305", Severity::Error};
inline constexpr FindingKind kNoTotal{"KT306", Severity::Error};

// Files of the setup folder: missing, or of a content setup.exe cannot use.
inline constexpr FindingKind kPackageMissing{"KT401", Severity::Error};
inline constexpr FindingKind kRedistributableMissing{"KT402", Severity::Note};
inline constexpr FindingKind kSplashMediaMissing{"KT403", Severity::Error};
inline constexpr FindingKind kSoundMissing{"KT404", Severity::Error};
inline constexpr FindingKind kSwitcherMissing{"KT405", Severity::Error};
inline constexpr FindingKind kBackgroundPictureMissing{"KT406", Severity::Error};
inline constexpr FindingKind kBillboardPictureMissing{"KT407", Severity::Error};
inline constexpr FindingKind kProgramMissing{"KT408", Severity::Error};
inline constexpr FindingKind kActionProgramMissing{"KT409", Severity::Error};
inline constexpr FindingKind kPictureUnusable{"KT410", Severity::Error};
inline constexpr FindingKind kSoundUnusable{"KT411", Severity::Error};
inline constexpr FindingKind kAnimationUnusable{"KT412", Severity::Error};
inline constexpr FindingKind kRunProgramTargetMissing{"KT413", Severity::Error};
inline constexpr FindingKind kNotAProgram{"KT414", Severity::Error};
inline constexpr FindingKind kParametersInProgramPath{"KT415", Severity::Error};
inline constexpr FindingKind kNoProgram{"KT416", Severity::Error};
inline constexpr FindingKind kTormivexInSetupFolder{"KT417", Severity::Warning};
inline constexpr FindingKind kProgramPathFillsBuffer{"KT418", Severity::Error};
inline constexpr FindingKind kAddressForFile{"KT419", Severity::Error};
inline constexpr FindingKind kBatchFileNeverRun{"KT420", Severity::Error};
inline constexpr FindingKind kNotAPackage{"KT421", Severity::Error};
inline constexpr FindingKind kStartsItself{"KT422", Severity::Error};
inline constexpr FindingKind kSwitcherNeverRun{"KT423", Severity::Warning};

// The action list's behaviour.
inline constexpr FindingKind kSecondPass{"KT501", Severity::Warning};
inline constexpr FindingKind kAlwaysStops{"KT502", Severity::Error};
inline constexpr FindingKind kCompletionIgnored{"KT503", Severity::Error};
inline constexpr FindingKind kFieldNeverRead{"KT504", Severity::Warning};
inline constexpr FindingKind kEmptyMessageBox{"KT505", Severity::Error};
inline constexpr FindingKind kEmptySubject{"KT506", Severity::Error};
inline constexpr FindingKind kWaitParametersAreCommandLine{"KT507", Severity::Warning};
inline constexpr FindingKind kRestartRestartsNothing{"KT508", Severity::Warning};
inline constexpr FindingKind kStopAfterPackage{"KT509", Severity::Warning};
inline constexpr FindingKind kTitleWrittenAsFile{"KT510", Severity::Error};
inline constexpr FindingKind kProductCodeNotation{"KT511", Severity::Error};
inline constexpr FindingKind kRelativeFileCondition{"KT512", Severity::Warning};
inline constexpr FindingKind kConditionDoesNothing{"KT513", Severity::Warning};
inline constexpr FindingKind kHoldsWhereSetupNeverStarts{"KT514", Severity::Note};
inline constexpr FindingKind kWildcardComparedExactly{"KT516", Severity::Error};

// Folder macros and other notations.
inline constexpr FindingKind kUnknownFolderMacro{"KT601", Severity::Error};
inline constexpr FindingKind kMacroTakenLiterally{"KT602", Severity::Error};
inline constexpr FindingKind kMacroEmptyAtDataTag{"KT603", Severity::Error};
inline constexpr FindingKind kBareMacroName{"KT604", Severity::Error};
inline constexpr FindingKind kEnvironmentVariable{"KT605", Severity::Error};
inline constexpr FindingKind kInstallDirEmpty{"KT606", Severity::Error};
inline constexpr FindingKind kBareNameBesideBracketed{"KT607", Severity::Error};

// Modes: silent setups, the language step, the splash.
inline constexpr FindingKind kBillboardsInSilentSetup{"KT701", Severity::Warning};
inline constexpr FindingKind kIgnoredBySilentSetup{"KT702", Severity::Warning};
inline constexpr FindingKind kWindowInSilentSetup{"KT703", Severity::Warning};
inline constexpr FindingKind kLanguageStepNeverRuns{"KT704", Severity::Note};
inline constexpr FindingKind kSplashWithoutAddress{"KT705", Severity::Error};
inline constexpr FindingKind kSplashAddressIsFile{"KT706", Severity::Error};
inline constexpr FindingKind kTextUnseenInSilentSetup{"KT707", Severity::Note};
inline constexpr FindingKind kBackgroundNeverShown{"KT708", Severity::Error};

inline constexpr const FindingKind* kAll[] = {
    &kNoTagFile,
    &kByteOrderMark,
    &kUtf8Text,
    &kSectionAgain,
    &kUnknownSection,
    &kMisspelledSection,
    &kKeyAgain,
    &kUnknownKey,
    &kMisspelledKey,
    &kKeyOutsideSection,
    &kKeyOfOtherFile,
    &kTagFileMisnamed,
    &kTagFileNotText,
    &kKeyOfOtherSection,
    &kValueCut,
    &kNotWholeNumber,
    &kFlagNotNumber,
    &kFlagOtherNumber,
    &kNegativeTime,
    &kEndlessTime,
    &kNoKeyword,
    &kColourPart,
    &kTextHiddenByCodePage,
    &kSplashZeroSeconds,
    &kBillboardNoTime,
    &kEscapeShownAsWritten,
    &kCountNotNumber,
    &kDialogTextMissing,
    &kCommentInValue,
    &kAmpersandInDialogText,
    &kNegativeTotal,
    &kRecordAfterTotal,
    &kBillboardPastLimit,
    &kTotalCountsMissingRecords,
    &kRecordWithoutKeyField,
    &kNoTotal,
    &kPackageMissing,
    &kRedistributableMissing,
    &kSplashMediaMissing,
    &kSoundMissing,
    &kSwitcherMissing,
    &kBackgroundPictureMissing,
    &kBillboardPictureMissing,
    &kProgramMissing,
    &kActionProgramMissing,
    &kPictureUnusable,
    &kSoundUnusable,
    &kAnimationUnusable,
    &kRunProgramTargetMissing,
    &kNotAProgram,
    &kParametersInProgramPath,
    &kNoProgram,
    &kTormivexInSetupFolder,
    &kProgramPathFillsBuffer,
    &kAddressForFile,
    &kBatchFileNeverRun,
    &kNotAPackage,
    &kStartsItself,
    &kSwitcherNeverRun,
    &kSecondPass,
    &kAlwaysStops,
    &kCompletionIgnored,
    &kFieldNeverRead,
    &kEmptyMessageBox,
    &kEmptySubject,
    &kWaitParametersAreCommandLine,
    &kRestartRestartsNothing,
    &kStopAfterPackage,
    &kTitleWrittenAsFile,
    &kProductCodeNotation,
    &kRelativeFileCondition,
    &kConditionDoesNothing,
    &kHoldsWhereSetupNeverStarts,
    &kWildcardComparedExactly,
    &kUnknownFolderMacro,
    &kMacroTakenLiterally,
    &kMacroEmptyAtDataTag,
    &kBareMacroName,
    &kEnvironmentVariable,
    &kInstallDirEmpty,
    &kBareNameBesideBracketed,
    &kBillboardsInSilentSetup,
    &kIgnoredBySilentSetup,
    &kWindowInSilentSetup,
    &kLanguageStepNeverRuns,
    &kSplashWithoutAddress,
    &kSplashAddressIsFile,
    &kTextUnseenInSilentSetup,
    &kBackgroundNeverShown,
};

}  // namespace kestavo::vendortools::kinds
