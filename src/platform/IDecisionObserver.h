#pragma once

#include <string>

namespace kestavo {

// Each decision the program reports, as the code that makes it makes it.
// A report names the decision, the text it was made on where there is one
// (a value as the tag file holds it, a path as the program formed it) and,
// for some, a number.
enum class Decision : unsigned char {
    // The installer-runtime step at start-up. Text: msi.dll's path; number:
    // its major version, where it has one.
    RuntimeMissing,
    RuntimeVersionUnknown,
    RuntimeTooOld,
    RuntimeCurrent,
    // Text: the redistributable's path. It runs at start-up, and again
    // before the package when the runtime was still not current as the
    // progress dialog started.
    RedistributableChosen,
    RedistributableAgain,

    // The language step. Text: the mode as written.
    LanguageNotAsked,
    // Text: the language's name, empty when the setup knows none.
    LanguageDetected,
    // The switcher is not run: neither Languages\switch.exe nor switch.exe
    // is there; the system cannot name its user-interface language.
    SwitcherMissing,
    SwitcherWithoutUiLanguage,

    // The installation sequence.
    NoTagFile,
    SilentRun,
    DialogHidden,
    // A FILESUPPORT record, before or after the package. Text: its point as
    // written; number: its index.
    FileSupportAtPoint,
    FileSupportAtOtherPoint,
    // Text: the program's path as read, which fills its buffer and may have
    // been cut: it is not started. Number: the record's index.
    FileSupportPathCut,
    // Text: the package installer's command line, which CreateProcess
    // cannot take.
    InstallerCommandTooLong,
    // The pass after the package runs: a record marked for after the
    // package, or SPLASH B0, asked for it in the first pass.
    PostCompletionPass,

    // The action list, each record as it is taken up. Text: its name;
    // number: its index.
    RecordTakenUp,
    // What the record's type made of it. Text: the type as written, where
    // the decision does not name it. A record deferred to after the
    // package asks for the pass after it.
    RecordDeferred,
    ConditionHolds,
    ConditionDoesNotHold,
    NoTypeMatched,
    // "Show MessageBox" (text: the message) and "Run Tormivex".
    MessageShown,
    UpdaterStarted,
    // "Run 3rd party software" and "… and wait". Text: the program's path
    // as the program formed it.
    ProgramStarted,
    BatchFileStarted,
    BatchFileRefused,
    ProgramStartedAndWaitedFor,
    // What a condition that holds does. Text: the program or the message;
    // the then-action as written when it matches none. Closing is reported
    // by the probe (WindowToClose, NoWindowToClose).
    ThenProgramStarted,
    ThenMessageShown,
    NoThenActionMatched,
    // The record's completion choice, once it acted. Text: the choice as
    // written.
    CompletionStops,
    CompletionRestarts,
    CompletionNone,
    CompletionIgnored,
    // Text: SPLASH B0 as written, which asks for the pass after the package.
    PassAskedBySplash,

    // What the probes found: the reasons for a condition's answer. Text:
    // the title, name or path asked about.
    WindowOpen,
    NoWindowOpen,
    ProductInstalled,
    ProductNotInstalled,
    // The uninstall entry that made a product installed, before it: text,
    // its key's name below the list; number, the RegistryView it was read
    // in. Its key's name is the one asked for, or its DisplayName is.
    UninstallEntryNamed,
    UninstallEntryShown,
    FileFound,
    FileNotFound,
    // Text: .NET's InstallRoot as registered, empty when it is not.
    DotNetPresent,
    DotNetAbsent,
    // Number: the minor version of a Windows 9x system (0 for 95, 10 for 98,
    // 90 for Me), -1 for any other.
    WindowsVersion,
    // A window about to be told to quit, or none by that title or class.
    WindowToClose,
    NoWindowToClose,

    // The splash and pictures. Text: the file's path.
    SoundNotPlayed,
    AnimationNotOpened,
    // Number: the PictureRefusal, why.
    PictureRefused,
};

// Hears the program's decisions: the vendor's preview prints them beside
// what the machine saw. setup.exe has none, and its reports go nowhere. An
// observer only listens: it never changes what the program does next.
class IDecisionObserver {
public:
    virtual ~IDecisionObserver() = default;

    virtual void Decided(Decision decision, const std::string* text, int number) = 0;
};

}  // namespace kestavo
