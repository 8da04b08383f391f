// UTF-8 inside the program, UTF-16 only at the Win32 call.
#pragma once

#include <string>

namespace sys::win32 {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const wchar_t* utf16, int length);  // length -1: up to the zero
std::string Narrow(const std::wstring& utf16);

}  // namespace sys::win32
