#include "ui/modal.h"

#include "ui/backend.h"
#include "ui/dialog.h"
#include "ui/script.h"

namespace ui {

int ShowMessageBox(const Dialog* owner, const std::string& text, const std::string& caption,
                   unsigned flags) {
    MessageBoxCall call{owner ? owner->TemplateId() : 0, text, caption, flags};
    std::optional<int> answer;
    if (Script* script = ActiveScript()) answer = script->TakeMessageBoxAnswer(call);
    return backend::MessageBox(owner, call, answer);
}

int ShowErrorMessage(const Dialog* owner, const std::string& text) {
    return ShowMessageBox(owner, text, "ERROR", MbOk | MbIconExclamation);
}

namespace {

FileDialogResult ShowFileDialog(const Dialog* owner, const OpenFileOptions& options, bool save) {
    if (Script* script = ActiveScript())
        if (std::optional<FileDialogResult> answer = script->TakeFileAnswer()) return *answer;
    return backend::FileDialog(owner, options, save);
}

}  // namespace

FileDialogResult ShowOpenFileDialog(const Dialog* owner, const OpenFileOptions& options) {
    return ShowFileDialog(owner, options, false);
}

FileDialogResult ShowSaveFileDialog(const Dialog* owner, const OpenFileOptions& options) {
    return ShowFileDialog(owner, options, true);
}

std::optional<std::string> BrowseForFolder(const Dialog* owner, const std::string& title) {
    if (Script* script = ActiveScript()) return script->TakeFolderAnswer();
    return backend::BrowseFolder(owner, title);
}

void DiscardQueuedMessages() {
    backend::DiscardQueuedMessages();
}

}  // namespace ui
