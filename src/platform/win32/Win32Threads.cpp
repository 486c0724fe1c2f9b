#include "platform/win32/Win32Threads.h"

#include <windows.h>

#include <cstdlib>
#include <memory>
#include <utility>

namespace kestavo::win32 {

namespace {

using Body = std::function<void()>;

DWORD WINAPI RunBody(void* parameter) {
    const std::unique_ptr<Body> body(static_cast<Body*>(parameter));
    (*body)();
    return 0;
}

}  // namespace

// The body goes to the thread on the heap and is deleted there. A thread
// that cannot be made ends the program: the run would otherwise wait for
// ever for a splash that never comes.
void Win32Threads::BeginThread(const std::string&, std::function<void()> body) {
    auto owned = std::make_unique<Body>(std::move(body));
    const HANDLE thread = CreateThread(nullptr, 0, &RunBody, owned.get(), 0, nullptr);
    if (thread == nullptr) {
        std::abort();
    }
    owned.release();
    CloseHandle(thread);
}

}  // namespace kestavo::win32
