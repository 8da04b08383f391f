// Wide text only at the Win32 call; inside, bytes in the system's ANSI code page.
#pragma once

#include "sys/win32/wide.h"

namespace ui::win32 {
using sys::win32::Narrow;
using sys::win32::NarrowExact;
using sys::win32::Widen;
}  // namespace ui::win32
