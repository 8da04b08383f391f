// The last step of a save on Windows, apart so that tests can hand it a replace step that
// fails the ways the system's may.
#pragma once

#include <windows.h>

#include <string>

namespace sys::win32 {

// ReplaceFileW's signature; the real one is the default.
using ReplaceFunction = BOOL(WINAPI*)(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup,
                                      DWORD flags, LPVOID exclude, LPVOID reserved);

// Puts the written and closed file `temp` in the place of `target` (full paths in one
// folder): replacing the old file in one step, or moving it there when there is none.
// False when the target does not hold it afterwards; `temp` is then removed, unless the
// target's name was left empty (the old file moved away), where it is the only copy left.
bool PutInPlace(const std::wstring& temp, const std::wstring& target,
                ReplaceFunction replace = &ReplaceFileW);

}  // namespace sys::win32
