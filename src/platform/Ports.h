#pragma once

#include "platform/IBrowserPort.h"
#include "platform/IDecisionObserver.h"
#include "platform/IDesktopPort.h"
#include "platform/IDialogHost.h"
#include "platform/IFrameHost.h"
#include "platform/IGdiPort.h"
#include "platform/IModulePort.h"
#include "platform/IPicturePort.h"
#include "platform/IProcessPort.h"
#include "platform/IProfilePort.h"
#include "platform/IRegistryPort.h"
#include "platform/IStartupPort.h"
#include "platform/ISystemPort.h"
#include "platform/IThreadPort.h"
#include "platform/IWindowListPort.h"

namespace kestavo {

// Every port the program reaches the machine through, handed to the objects
// that need them. Either all of them are Windows' or all are the simulator's.
// The observer hears each decision as it is made; setup.exe has none.
struct Ports {
    ISystemPort& system;
    IProfilePort& profile;
    IStartupPort& startup;
    IDesktopPort& desktop;
    IGdiPort& gdi;
    IDialogHost& dialogs;
    IThreadPort& threads;
    IProcessPort& processes;
    IWindowListPort& windows;
    IRegistryPort& registry;
    IModulePort& modules;
    IPicturePort& pictures;
    IFrameHost& frames;
    IBrowserPort& browsers;
    IDecisionObserver* observer = nullptr;
};

}  // namespace kestavo
