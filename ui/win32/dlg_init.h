// Initial list items that a dialog template carries in its dialog-init resource (type
// 240): a real window made from the template gets them before its own initialisation.
#pragma once

#include <windows.h>

namespace ui::win32 {

void ApplyDialogInit(HWND dialog, HINSTANCE module, int templateId);

}  // namespace ui::win32
