#include "ui/memory/dialog_init.h"

#include "ui/memory/memory_port.h"

namespace ui::memory {

namespace {
constexpr int kListBoxAddString = 0x0401;
constexpr int kComboAddString = 0x0403;
}  // namespace

void ApplyDialogInit(MemoryPort& port, int templateId) {
    for (std::size_t i = 0; i < kDialogInitItemCount; ++i) {
        const DialogInitItem& item = kDialogInitItems[i];
        if (item.templateId != templateId) continue;
        if (item.message == kListBoxAddString)
            port.LbAddString(item.controlId, item.text);
        else if (item.message == kComboAddString)
            port.CbAddString(item.controlId, item.text);
    }
}

}  // namespace ui::memory
