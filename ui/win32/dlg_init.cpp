#include "ui/win32/dlg_init.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "ui/win32/wide.h"

namespace ui::win32 {

namespace {

// The layout's message numbers are those of 16-bit Windows.
constexpr uint16_t kListBoxAddString = 0x0401;
constexpr uint16_t kComboAddString = 0x0403;
constexpr WORD kDialogInitType = 240;

}  // namespace

void ApplyDialogInit(HWND dialog, HINSTANCE module, int templateId) {
    HRSRC info =
        FindResourceW(module, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(kDialogInitType));
    if (!info) return;
    HGLOBAL loaded = LoadResource(module, info);
    const auto* data = static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
    if (!data) return;
    size_t size = SizeofResource(module, info);
    // Each entry: control id (16 bits), message (16 bits), byte count (32 bits), bytes.
    size_t at = 0;
    while (at + 2 <= size) {
        uint16_t id, msg;
        uint32_t length;
        std::memcpy(&id, data + at, 2);
        if (id == 0 || at + 8 > size) break;
        std::memcpy(&msg, data + at + 2, 2);
        std::memcpy(&length, data + at + 4, 4);
        at += 8;
        if (length > size - at) break;  // a damaged resource: stop rather than overrun
        std::string text(reinterpret_cast<const char*>(data + at), length);
        text.resize(std::strlen(text.c_str()));
        at += length;
        UINT add = msg == kListBoxAddString ? LB_ADDSTRING
                   : msg == kComboAddString ? CB_ADDSTRING
                                            : 0;
        if (add)
            SendDlgItemMessageW(dialog, id, add, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
    }
}

}  // namespace ui::win32
