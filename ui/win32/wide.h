// UTF-8 inside the program, UTF-16 only at the Win32 call.
#pragma once

#include "sys/win32/wide.h"

namespace ui::win32 {
using sys::win32::Narrow;
using sys::win32::Widen;
}  // namespace ui::win32
