// How setup.exe meets the C++ library's failures: it catches no exception,
// so whatever the library would throw for, a length beyond a string's
// reach or memory that is not there, ends the program at once, as an
// uncaught exception did. Defined here, these keep the library's throwing
// versions out of the program, and with them its exception classes,
// unwinder and terminate handler. Only setup.exe links this file; other
// programs built on the core keep the library's own.
#include <bits/functexcept.h>

#include <cstdlib>
#include <new>

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
