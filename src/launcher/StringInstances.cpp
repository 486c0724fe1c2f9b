// The strings setup.exe uses, instantiated with its own options: the
// library's prebuilt instances are one object each, with every member and
// the exception handling they were compiled with, whatever the program
// calls. Only setup.exe links this file.
#include <string>

template class std::basic_string<char>;
template class std::basic_string<wchar_t>;
