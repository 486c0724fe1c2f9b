#include "framework/UiThread.h"

#include <utility>

namespace kestavo {

void UiThread::Begin(IThreadPort& threads, const std::string& name,
                     std::unique_ptr<UiThread> thread) {
    std::shared_ptr<UiThread> owned(std::move(thread));
    threads.BeginThread(name, [owned] { owned->InitInstance(); });
}

}  // namespace kestavo
