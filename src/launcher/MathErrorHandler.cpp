// The C runtime's start-up hands _matherr to the runtime as the handler of
// math errors only when _MINGW_INSTALL_DEBUG_MATHERR is set, and nothing in
// setup.exe sets it: no math error ever reaches it. The runtime's own
// version prints the error to stderr, which brought fprintf and its texts
// into the program. This one asks for the default handling, as that one did
// after printing. Only setup.exe links this file.
struct _exception;

extern "C" int _matherr(_exception*) {
    return 0;
}
