// Text inside the program is bytes in the system's ANSI code page, as our users' files and
// the editor have it; it becomes wide text only at the Win32 call, converted with that
// code page both ways.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sys::win32 {

// Every byte string has a wide form.
std::wstring Widen(std::string_view text);

// As the system's own ANSI calls give it: a character the code page cannot hold becomes
// a near letter or the code page's default character. For texts a user typed and sees.
std::string Narrow(const wchar_t* text, int length);  // length -1: up to the zero
std::string Narrow(std::wstring_view text);

// Exactly or not at all: nullopt when a character has no form of its own in the code page
// (no best fit either: a path with "ā" must not become one with "a"). For paths, which
// would otherwise name another file or none.
std::optional<std::string> NarrowExact(std::wstring_view text);

// A command line whose double-quoted texts are paths: each quoted text is converted
// exactly, or left out whole and added to `unusable`; the rest as the system converts it.
std::string NarrowQuotedPaths(std::wstring_view line, std::vector<std::wstring>& unusable);

}  // namespace sys::win32
