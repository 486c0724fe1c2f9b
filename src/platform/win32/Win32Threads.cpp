#include "platform/win32/Win32Threads.h"

#include <thread>
#include <utility>

namespace kestavo::win32 {

void Win32Threads::BeginThread(const std::string&, std::function<void()> body) {
    std::thread(std::move(body)).detach();
}

}  // namespace kestavo::win32
