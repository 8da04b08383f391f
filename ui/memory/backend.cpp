// The memory backend: dialogs open with no window; a test script drives them.
#include "ui/backend.h"

#include "ui/dialog.h"
#include "ui/memory/dialog_init.h"
#include "ui/memory/memory_port.h"
#include "ui/script.h"

namespace ui::backend {

intptr_t RunModal(Dialog& dialog) {
    memory::MemoryPort port(dialog);
    memory::ApplyDialogInit(port, dialog.TemplateId());
    dialog.AttachPort(&port);
    dialog.HandleInit();
    if (!dialog.IsEnding()) {
        // Without a script nobody could press a button, so the dialog is cancelled.
        if (Script* script = ActiveScript())
            script->RunStep(dialog);
        else
            dialog.EndDialog(IdCancel);
    }
    dialog.DetachPort();
    return dialog.EndCode();
}

int MessageBox(const Dialog*, const MessageBoxCall& call, std::optional<int> answer) {
    if (answer) return *answer;
    unsigned buttons = call.flags & 0xF;
    return buttons == MbYesNo || buttons == MbYesNoCancel ? IdYes : IdOk;
}

FileDialogResult FileDialog(const Dialog*, const OpenFileOptions&, bool) {
    return {};
}

std::optional<std::string> BrowseFolder(const Dialog*, const std::string&) {
    return std::nullopt;
}

void DiscardQueuedMessages() {}

}  // namespace ui::backend
