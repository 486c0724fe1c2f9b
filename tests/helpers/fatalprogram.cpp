// fatalprogram: a windowed program built as setup.exe is, with the piece of
// setup.exe that decides how it ends when it cannot go on, which gives up
// the way its command line names:
//
//   abort      the program's own way out (a thread that cannot be made, a
//              window used outside its run)
//   memory     an allocation the heap cannot give
//   length     a string longer than a string can be
//   terminate  std::terminate
//   pure       a call of a pure virtual function
//
// Anything else ends it with 0.

#include <windows.h>

#include <cstdlib>
#include <exception>
#include <string>

namespace {

class Shape {
public:
    Shape();
    virtual ~Shape() = default;
    virtual void Draw() = 0;
};

// Through a pointer the optimiser cannot see into, the call goes through
// the table the object has while its base is built, where Draw is pure.
Shape::Shape() {
    void (Shape::*volatile draw)() = &Shape::Draw;
    (this->*draw)();
}

class Square : public Shape {
public:
    void Draw() override {}
};

__attribute__((noipa)) std::size_t MoreThanTheHeapHas() {
    return ~std::size_t(0) / 2;
}

__attribute__((noipa)) void Use(char* block) {
    block[0] = 1;
}

void GiveUp(const std::string& way) {
    if (way == "abort") {
        std::abort();
    } else if (way == "memory") {
        Use(new char[MoreThanTheHeapHas()]);
    } else if (way == "length") {
        std::string text;
        text.reserve(text.max_size() + 1);
    } else if (way == "terminate") {
        std::terminate();
    } else if (way == "pure") {
        Square square;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    GiveUp(commandLine);
    return 0;
}
