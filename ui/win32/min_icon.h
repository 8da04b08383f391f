// Where a minimized dialog draws its icon: centred in the client area, with the
// rounding the window system's own painting uses.
#pragma once

#include <windows.h>

namespace ui::win32 {

inline POINT MinimizedIconOrigin(int clientWidth, int clientHeight, int iconWidth, int iconHeight) {
    // Integer division rounds toward zero, also when the client is smaller than the icon.
    return POINT{(clientWidth - iconWidth + 1) / 2, (clientHeight - iconHeight + 1) / 2};
}

}  // namespace ui::win32
