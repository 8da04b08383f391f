// Run: the editor's location from the loader settings, its command line, the rows kept for
// the next showing; then, with the window gone, the editor started and its output captured.
#include <algorithm>
#include <cstring>

#include "app/loader_app.h"
#include "app/loader_dlg.h"
#include "app/run_editor.h"
#include "launch/batch_file.h"
#include "launch/editor_command.h"
#include "launch/editor_location.h"
#include "launch/editor_program.h"
#include "launch/editor_runner.h"
#include "loadercfg/editor_location_check.h"
#include "loadercfg/loader_settings.h"
#include "loadercfg/param_scan.h"
#include "sys/fs.h"
#include "sys/process.h"
#include "ui/modal.h"

namespace {

// Folders as long as the system allows.
constexpr std::size_t kLongestPath = 32767;

std::string Cut(std::string text, std::size_t max) {
    if (text.size() > max) text.resize(max);
    return text;
}

}  // namespace

bool CLoaderDlg::BuildEditorCommandLine(const std::string& editorFolder,
                                        const std::string& editorName, const std::string& listBase,
                                        bool* listWritten) {
    // A number box holding no number has just been reported; its old value is not run.
    if (!UpdateData(true)) return false;

    CommandRequest request;
    request.editorFolder = editorFolder;
    request.editorName = editorName;
    request.listBase = listBase;
    const int count = m_listFiles.GetItemCount();
    for (int i = 0; i < count; ++i) {
        request.rows.push_back({m_listFiles.GetItemText(i, kColPath),
                                m_listFiles.GetItemText(i, kColTypeId),
                                m_listFiles.GetItemText(i, kColPrestDef)});
    }
    request.switches = m_options;
    const int forced = std::clamp(m_dt1Dlg.m_nDt1Count, 0, kMaxDt1Files);
    request.forcedDt1.assign(m_dt1Dlg.m_dt1Files.begin(), m_dt1Dlg.m_dt1Files.begin() + forced);

    const EditorCommand command = BuildEditorCommand(request);
    if (command.Refused()) {
        ui::ShowErrorMessage(this, command.refusal);
        return false;
    }
    if (listWritten) *listWritten = !command.usesMapList || command.mapListWritten;
    static_assert(sizeof m_szCmdLine == kMaxCommandLine + 1);
    std::memcpy(m_szCmdLine, command.commandLine.c_str(), command.commandLine.size() + 1);
    return true;
}

std::optional<std::string> CLoaderDlg::ReadLoaderIni() {
    std::string settings;
    if (sys::ReadWholeFile(kLoaderIniName, settings)) return settings;
    ui::ShowErrorMessage(this, kNoLoaderIniMessage);
    return std::nullopt;
}

void CLoaderDlg::OnRun() {
    if (!UpdateData(true)) return;
    const int count = m_listFiles.GetItemCount();
    if (count == 0) {
        ui::ShowErrorMessage(this, kNoFilesMessage);
        return;
    }
    const std::optional<std::string> settings = ReadLoaderIni();
    if (!settings) return;
    const std::optional<EditorLocation> editor = FindEditorLocation(*settings);
    if (!editor) {
        ui::ShowErrorMessage(this, kNoLocationMessage);
        return;
    }
    if (const std::string unusable = UnusableEditorLocationMessage(editor->folder, editor->name);
        !unusable.empty()) {
        ui::ShowErrorMessage(this, unusable);
        return;
    }
    const CLoaderApp* app = TheApp();
    const std::string listBase = (app ? app->m_strExeDir : std::string()) + "temp";
    // The editor, the relative paths of its command line and its stderr.txt are all found
    // from its folder: a run that cannot start there is refused before anything is written.
    const std::optional<std::string> shownFrom = sys::CurrentDirectory(kLongestPath);
    if (!shownFrom || !sys::SetCurrentDirectory(editor->folder) ||
        !sys::SetCurrentDirectory(*shownFrom)) {
        ui::ShowErrorMessage(this, kEditorFolderMissingMessage + editor->folder);
        return;
    }
    bool listWritten = true;
    if (!BuildEditorCommandLine(editor->folder, editor->name, listBase, &listWritten)) return;
    // The editor would open the list of an earlier run.
    if (!listWritten) {
        ui::ShowErrorMessage(this, CannotWriteMessage(listBase + ".ini"));
        return;
    }
    if (!sys::SetCurrentDirectory(editor->folder)) {
        ui::ShowErrorMessage(this, kEditorFolderMissingMessage + editor->folder);
        return;
    }
    const std::optional<std::string> editorFolder = sys::CurrentDirectory(kLongestPath);
    m_strEditorProgram =
        EditorProgramFile(editorFolder.value_or(""), editor->name, sys::FileExists).value_or("");

    m_savedRows.fill(FileListEntry{});
    for (int i = 0; i < std::min(count, kMaxFileRows); ++i) {
        FileListEntry& saved = m_savedRows[static_cast<std::size_t>(i)];
        saved.path = m_listFiles.GetItemText(i, kColPath);
        saved.levelName = Cut(m_listFiles.GetItemText(i, kColName), kMaxParamText);
        saved.gamePath = Cut(m_listFiles.GetItemText(i, kColGamePath), kMaxParamText);
        // The list shows the numbers unsigned; they wrap back to what they were.
        saved.lvlTypeId = AtoiValue(m_listFiles.GetItemText(i, kColTypeId));
        saved.lvlPrestDef = AtoiValue(m_listFiles.GetItemText(i, kColPrestDef));
    }
    ui::Dialog::OnOK();
}

void RunEditor(CLoaderDlg& dlg) {
    RunEditorWith(dlg, sys::SystemProcessApi());
}

void RunEditorWith(CLoaderDlg& dlg, sys::ProcessApi& api) {
    try {
        const std::string activity = "Running the editor could not be completed";
        std::string failure;
        try {
            failure =
                RunCapturedEditor(api, dlg.m_strEditorProgram, dlg.m_szCmdLine, dlg.m_strOutput);
        } catch (const std::bad_alloc&) {
            failure = activity + ": there was not enough memory.";
        } catch (const std::exception& e) {
            failure = activity + " (" + e.what() + ").";
        } catch (...) {
            failure = activity + ".";
        }
        if (!failure.empty()) ui::ShowErrorMessage(nullptr, failure);
    } catch (...) {
        // Not even the message could be shown; the main window still comes back.
    }
}
