// Make Batch: the command line Run would use, written into a batch file that changes to
// the editor's drive and folder, runs the editor with its output sent into a debug file,
// and pauses when the editor fails. It replaces only batch and map list files it wrote.
#include <optional>
#include <string>
#include <string_view>

#include "app/loader_dlg.h"
#include "launch/batch_file.h"
#include "launch/editor_command.h"
#include "launch/editor_location.h"
#include "loadercfg/editor_location_check.h"
#include "loadercfg/loader_settings.h"
#include "sys/fs.h"
#include "ui/modal.h"

namespace {

// Empty when Make Batch may write `path`: there is no such file, or `wroteIt` tells that
// Make Batch wrote the one there; else what to tell the user.
std::string RefusalToReplace(const std::string& path, bool (*wroteIt)(std::string_view)) {
    if (!sys::FileExists(path)) return {};
    std::string bytes;
    if (!sys::ReadWholeFile(path, bytes)) return CannotWriteMessage(path);
    return wroteIt(bytes) ? std::string() : NotWrittenByMakeBatchMessage(path);
}

}  // namespace

void CLoaderDlg::OnMakeBatch() {
    if (!UpdateData(true)) return;
    if (m_listFiles.GetItemCount() == 0) {
        ui::ShowErrorMessage(this, kNoFilesMessage);
        return;
    }
    ui::OpenFileOptions options;
    options.filters = {{"All Files (*.*)", "*.*"}};
    const ui::FileDialogResult chosen = ui::ShowSaveFileDialog(this, options);
    if (!chosen.confirmed || chosen.paths.empty()) return;
    const std::optional<BatchNames> names = BatchNamesFor(chosen.paths.front());
    if (!names) {
        ui::ShowErrorMessage(this, kBatchPathTooLongMessage);
        return;
    }
    // The save dialog asked only about the chosen name: a name made from it may be the
    // editor's kelvorn.ini, the loader's table or a batch file of the user's.
    std::string refusal = RefusalToReplace(names->batchFile, IsMakeBatchFile);
    if (refusal.empty() && m_listFiles.GetItemCount() > 1)
        refusal = RefusalToReplace(names->base + ".ini", IsMakeBatchMapList);
    if (!refusal.empty()) {
        ui::ShowErrorMessage(this, refusal);
        return;
    }

    const std::optional<std::string> settings = ReadLoaderIni();
    if (!settings) return;
    const std::optional<EditorLocation> editor = FindEditorLenient(*settings);
    if (!editor) {
        ui::ShowErrorMessage(this, kNoLocationMessage);
        return;
    }
    if (const std::string unusable = UnusableEditorLocationMessage(editor->folder, editor->name);
        !unusable.empty()) {
        ui::ShowErrorMessage(this, unusable);
        return;
    }
    bool listWritten = true;
    if (!BuildEditorCommandLine(editor->folder, editor->name, names->base, &listWritten)) return;
    // A batch file naming a list that is not there, or an older one, would run other maps.
    if (!listWritten) {
        ui::ShowErrorMessage(this, CannotWriteMessage(names->base + ".ini"));
        return;
    }
    const std::string debugFile = StripEditorFolder(names->debugFile, editor->folder);
    if (!sys::WriteFileAtomically(names->batchFile,
                                  BatchFileText(editor->folder, m_szCmdLine, debugFile)))
        ui::ShowErrorMessage(this, CannotWriteMessage(names->batchFile));
}
