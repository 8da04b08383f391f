// Sizes of the main window for each combination of its panes, and the limits of the
// option numbers.
#pragma once

#include <cstdint>

#include "ui/dpi.h"

using ui::ScaleForDpi;

struct PaneLayout {
    int windowHeight;  // outer height of the window
    int outputTop;     // top of the output pane in client coordinates; -1 when hidden
};

// At 96 DPI: 557/246 with both panes, 296 with the options only, 508/197 with the output
// only, 247 with neither. Other DPIs scale every figure alike, as the dialog's own
// units, caption and menu bar scale.
PaneLayout LayoutFor(bool showOptions, bool showOutput, int dpi);

// X and Y of Resize: 1 to 255. Act: 1 to 5.
uint32_t ClampResize(uint32_t value);
uint32_t ClampAct(uint32_t value);
