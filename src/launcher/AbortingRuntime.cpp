// How setup.exe ends when it cannot go on: at once, with the installation's
// failure code, and showing nothing, since an unattended installation has
// nobody to answer a box. Only setup.exe links this file; other programs
// built on the core keep the library's and the runtime's own ways (a test
// program links it too, to show how each way ends).
//
// Defined here, abort() and _amsg_exit() replace the C runtime's in the
// link, whose versions show a "Runtime Error!" box in a windowed program
// and wait for a person. Every caller the program holds gets these: its own
// code (a thread that cannot be made, a window used outside its run), the
// C++ library (std::terminate's handler ends in abort) and the start-up
// code. setup.exe catches no exception, so what the library would throw
// for (a length beyond a string's reach, memory that is not there) ends it
// too; the throwing functions defined here keep the library's exception
// classes, unwinder and terminate handler out of the program.
#include <windows.h>

#include <bits/functexcept.h>

#include <cstdlib>
#include <new>

#include "driver/SetupApp.h"

namespace {

// msvcrt.dll's own fatal errors (a thread's runtime data that cannot be
// allocated, a lock that cannot be made) never reach the program: they are
// written to the standard error, which a windowed program does not have,
// instead of a box, and the runtime ends the process with its own code.
__attribute__((constructor)) void SendRuntimeErrorsToStandardError() {
    _set_error_mode(_OUT_TO_STDERR);
}

}  // namespace

// No library is told the process is ending: they may need the memory that
// is not there. A process that terminates itself does not return from
// TerminateProcess.
extern "C" void abort() {
    TerminateProcess(GetCurrentProcess(), kestavo::SetupApp::kExitInstallFailure);
    __builtin_unreachable();
}

// The start-up code's way out when the runtime cannot give the program its
// arguments.
extern "C" void _amsg_exit(int) {
    abort();
}

// What an abstract class's table holds for its pure virtual functions. The
// compiler refers to the library's only weakly, so without this the call
// would jump to address zero and crash, and the crash has a box of its own.
extern "C" void __cxa_pure_virtual() {
    abort();
}

namespace std {

void __throw_bad_alloc() {
    abort();
}

void __throw_bad_array_new_length() {
    abort();
}

void __throw_bad_function_call() {
    abort();
}

void __throw_length_error(const char*) {
    abort();
}

void __throw_logic_error(const char*) {
    abort();
}

void __throw_out_of_range_fmt(const char*, ...) {
    abort();
}

}  // namespace std

// The library's operator new throws, so it comes with the rest; the
// deletes are replaced with it, as a pair must be.
void* operator new(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        std::abort();
    }
    return block;
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
