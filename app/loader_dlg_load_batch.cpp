// Load Batch: the maps named by a batch file or a map list file, each found on disk and
// resolved afresh against the parameter table, appended to the list.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/loader_app.h"
#include "app/loader_dlg.h"
#include "launch/batch_file.h"
#include "launch/editor_location.h"
#include "loadercfg/loader_settings.h"
#include "loadercfg/param_lookup.h"
#include "sys/fs.h"
#include "ui/modal.h"

namespace {

// Where `entry` lies: as written, else in the editor folder, else in the batch file's cd
// directory, each tested with that folder current and named as the folder's text followed
// by the entry. The program directory is current again after each test.
std::optional<std::string> LocateEntry(const std::string& entry, const std::string& programDir,
                                       const std::string& editorFolder,
                                       const std::string& cdDirectory) {
    if (sys::FileExists(entry)) return entry;
    for (const std::string* folder : {&editorFolder, &cdDirectory}) {
        if (folder->empty()) continue;
        const bool there = sys::SetCurrentDirectory(*folder) && sys::FileExists(entry);
        sys::SetCurrentDirectory(programDir);
        if (there) return *folder + entry;
    }
    return std::nullopt;
}

}  // namespace

void CLoaderDlg::OnLoadBatch() {
    UpdateData(true);
    ui::OpenFileOptions options;
    options.filters = {{"Valid Files (*.bat, *.ini)", "*.bat; *.ini"}};
    options.fileMustExist = true;
    const ui::FileDialogResult chosen = ui::ShowOpenFileDialog(this, options);
    if (!chosen.confirmed || chosen.paths.empty()) return;
    const std::string& path = chosen.paths.front();
    std::string bytes;
    if (!sys::ReadWholeFile(path, bytes)) {
        ui::ShowErrorMessage(this, kChosenFileUnreadableMessage);
        return;
    }

    std::string cdDirectory;
    std::vector<std::string> entries;
    // A bad line ends the list; the maps before it are still added.
    auto takeMapList = [&](std::string_view list) {
        if (!ParseMapList(list, entries)) ui::ShowErrorMessage(this, kBadMapListMessage);
    };
    if (!HasBatchExtension(path)) {
        takeMapList(bytes);
    } else {
        std::optional<BatchCommand> batch = ParseBatchFile(bytes);
        if (!batch) {
            ui::ShowErrorMessage(this, kBadBatchMessage);
            return;
        }
        cdDirectory = std::move(batch->cdDirectory);
        if (!NamesMapList(batch->target)) {
            entries.push_back(std::move(batch->target));
        } else {
            std::string listPath = batch->target;
            if (!sys::FileExists(listPath)) listPath = cdDirectory + batch->target;
            if (!sys::FileExists(listPath)) {
                ui::ShowErrorMessage(this, MapListNotFoundMessage(batch->target));
                return;
            }
            if (!sys::ReadWholeFile(listPath, bytes)) {
                ui::ShowErrorMessage(this, MapListUnreadableMessage(listPath));
                return;
            }
            takeMapList(bytes);
        }
    }

    const std::optional<std::string> settings = ReadLoaderIni();
    if (!settings) return;
    const std::optional<std::string> editorFolder = FindEditorFolder(*settings);
    if (!editorFolder) {
        ui::ShowErrorMessage(this, kNoEditorFolderMessage);
        return;
    }

    const CLoaderApp* app = TheApp();
    const std::string programDir = app && !app->m_strExeDir.empty()
                                       ? app->m_strExeDir
                                       : sys::CurrentDirectory(32767).value_or("");
    bool tooLong = false;
    // Taken from the end: the maps of a list file are added last line first.
    while (!entries.empty() && m_listFiles.GetItemCount() < kMaxFileRows) {
        const std::string entry = std::move(entries.back());
        entries.pop_back();
        // The first place the map is found decides: a lookup that did not succeed there
        // is not asked again with the same map elsewhere.
        const std::optional<std::string> found =
            LocateEntry(entry, programDir, *editorFolder, cdDirectory);
        if (!found) continue;
        if (found->size() > kMaxMapPath) {
            tooLong = true;
            continue;
        }
        ParamEntry params;
        if (LookupParams(*found, this, params, LOOKUP_NO_SKIP) == LOOKUP_FOUND)
            AddFileRow(*found, params.levelName, params.gamePath, params.lvlTypeId,
                       params.lvlPrestDef);
    }
    if (!entries.empty()) ui::ShowErrorMessage(this, kListFullMessage);
    if (tooLong) ui::ShowErrorMessage(this, kPathTooLongMessage);

    RefreshLayout();
    UpdateData(false);
}
