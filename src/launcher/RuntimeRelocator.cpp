// The start-up code calls this before any constructor, to patch the places
// where the program reads data exported by a DLL through an automatic
// import. setup.exe imports functions only, from Windows' own DLLs, and is
// linked with --disable-auto-import and --disable-runtime-pseudo-reloc, so
// the linker refuses any such place instead of listing it: there is never
// anything to patch. Defined here, it keeps the C runtime's relocator out,
// and with it the code that changes page protections and reports a bad
// relocation on the console. Only setup.exe links this file.
extern "C" void _pei386_runtime_relocator() {}
