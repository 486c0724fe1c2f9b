#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/IProcessPort.h"
#include "platform/IWindowListPort.h"

namespace kestavo {

// Program files, parameter strings and command lines pass through buffers
// of this many characters, the terminator included.
inline constexpr std::size_t kCommandBufferCapacity = 256;

// Waits for the process to end while dispatching the calling thread's
// messages, so the program's windows stay alive. 1 when it ended, 0 when
// the wait itself failed.
int WaitForProcess(IProcessPort& processes, Handle process);

// Waits for a started child as WaitForProcess does, then closes both its
// handles. Its exit code, when that could be read.
std::optional<unsigned long> WaitAndClose(IProcessPort& processes, const ProcessInfo& child);

// Starts `programFile` with `parameters` as its whole command line, in the
// setup folder, and waits for it. Nothing when it could not be started;
// otherwise its exit code, when that could be read.
std::optional<unsigned long> RunProgramAndWait(IProcessPort& processes,
                                               const std::string& programFile,
                                               const std::string& parameters);

// The first titled top-level window of the process, in enumeration order.
Handle FindProcessWindow(const std::vector<TopLevelWindow>& windows, unsigned long processId);

// Whether a text fits its command buffer. A cut program path or command
// line could start another program or install another package, so a text
// that does not fit is never started.
bool FitsCommandBuffer(const std::string& text);

// The most CreateProcess itself takes, the terminator included: a program
// path of MAX_PATH characters and a command line of 32,767.
inline constexpr std::size_t kMaxPath = 260;
inline constexpr std::size_t kCreateProcessCapacity = 32767;

// Whether CreateProcess can take the program and command line as they are.
bool FitsCreateProcess(const std::string& applicationName, const std::string& commandLine);

}  // namespace kestavo
