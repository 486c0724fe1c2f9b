#pragma once

#include <memory>
#include <string>

#include "platform/IThreadPort.h"

namespace kestavo {

// A user-interface thread of the framework's kind: its initialisation runs
// one modal dialog and returns false, so the thread ends with the dialog and
// never enters a message loop of its own.
class UiThread {
public:
    virtual ~UiThread() = default;

    virtual bool InitInstance() = 0;

    // Starts `thread` on a thread of its own, named for the trace; the
    // thread object lives until its initialisation has returned.
    static void Begin(IThreadPort& threads, const std::string& name,
                      std::unique_ptr<UiThread> thread);
};

}  // namespace kestavo
