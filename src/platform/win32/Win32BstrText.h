#pragma once

#include <windows.h>

#include <oleauto.h>

#include <string>

namespace kestavo::win32 {

// The program's texts are in the ANSI code page; automation speaks BSTRs.
std::string AnsiFromBstr(BSTR text);
// A new BSTR the caller frees with SysFreeString.
BSTR BstrFromAnsi(const std::string& text);

}  // namespace kestavo::win32
