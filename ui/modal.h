// Modal services: message boxes and the common file and folder dialogs. Under a test
// script (ui/script.h) they are answered by the script.
#pragma once

#include <optional>
#include <string>

#include "ui/types.h"

namespace ui {

class Dialog;

// `owner` may be null (an unowned box).
int ShowMessageBox(const Dialog* owner, const std::string& text, const std::string& caption,
                   unsigned flags);
// The program's error box: caption "ERROR", an OK button and the exclamation icon.
int ShowErrorMessage(const Dialog* owner, const std::string& text);
// Never changes the current directory.
FileDialogResult ShowOpenFileDialog(const Dialog* owner, const OpenFileOptions& options);
FileDialogResult ShowSaveFileDialog(const Dialog* owner, const OpenFileOptions& options);
std::optional<std::string> BrowseForFolder(const Dialog* owner, const std::string& title);

// Throws away every message waiting in the thread's queue (the quit request included),
// without dispatching them: done between two showings of the main window.
void DiscardQueuedMessages();

}  // namespace ui
