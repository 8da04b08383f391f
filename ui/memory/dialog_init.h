// The list items that dialog templates carry in the resource script (dialog-init data),
// as a table made from the script at build time: a memory window gets them before its
// dialog's own initialisation, as a real window gets them from the resource.
#pragma once

#include <cstddef>

namespace ui::memory {

class MemoryPort;

struct DialogInitItem {
    int templateId;
    int controlId;
    int message;  // 16-bit Windows numbering: 0x0401 list box, 0x0403 combo box add string
    const char* text;
};

extern const DialogInitItem kDialogInitItems[];
extern const std::size_t kDialogInitItemCount;

void ApplyDialogInit(MemoryPort& port, int templateId);

}  // namespace ui::memory
