// The values of the main window's option controls: what becomes the editor's switches.
#pragma once

#include <cstdint>

struct LaunchOptions {
    bool bForceDt1 = false;
    bool bForcePalette = false;
    bool bNoCheckAct = false;
    bool bResize = false;
    uint32_t resizeX = 250;
    uint32_t resizeY = 250;
    uint32_t act = 1;

    bool operator==(const LaunchOptions&) const = default;
};
