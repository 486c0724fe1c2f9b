#pragma once

#include <string>

#include "platform/IDesktopReadPort.h"

namespace kestavo {

// The desktop as a whole: its metrics and colours, message boxes and the
// shell's "open". Windows of the program itself go through IDialogHost.
class IDesktopPort : public IDesktopReadPort {
public:
    virtual int ShowMessageBox(const std::string& text, const std::string& caption,
                               unsigned style) = 0;
    virtual void ShellOpen(const std::string& file) = 0;
    // The hourglass while the program is busy, or the normal arrow.
    virtual void SetWaitCursor(bool wait) = 0;
    // sndPlaySoundA, from winmm.dll loaded by full path from the system
    // folder; nothing when that cannot be loaded. False when no sound
    // plays: the library is not there, or the file cannot be opened or
    // played.
    virtual bool PlaySoundFile(const std::string& path, unsigned flags) = 0;
};

}  // namespace kestavo
