// What each backend (ui/memory, ui/win32) implements. Only the framework calls these.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ui/types.h"

namespace ui {
class Dialog;
}

namespace ui::backend {

// Creates the window for dialog.TemplateId() owned by dialog.Owner(), attaches a port,
// calls dialog.HandleInit(), runs the active script's step if any, and loops until
// EndModal. Returns the end code, or -1 when the window could not be created.
intptr_t RunModal(Dialog& dialog);

// `answer` set: the box is answered with it (a test script); otherwise the user answers.
int MessageBox(const Dialog* owner, const MessageBoxCall& call, std::optional<int> answer);

FileDialogResult FileDialog(const Dialog* owner, const OpenFileOptions& options, bool save);
std::optional<std::string> BrowseFolder(const Dialog* owner, const std::string& title);
void DiscardQueuedMessages();

}  // namespace ui::backend
