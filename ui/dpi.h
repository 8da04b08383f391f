// Pixel sizes the dialogs set themselves (column widths, scroll extents, the main window's
// heights) are given at 96 DPI and grow with the display's scaling, as the dialog units of
// the templates do.
#pragma once

namespace ui {

// Pixels at 96 DPI scaled to `dpi`, rounded to the nearest pixel.
inline int ScaleForDpi(int pixelsAt96, int dpi) {
    if (dpi <= 0 || dpi == 96) return pixelsAt96;
    return static_cast<int>((static_cast<long long>(pixelsAt96) * dpi + 48) / 96);
}

}  // namespace ui
