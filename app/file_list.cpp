// The map list of the main window: adding, removing and re-resolving rows.
#include <string>
#include <vector>

#include "app/loader_dlg.h"
#include "app/path_text.h"
#include "loadercfg/param_lookup.h"
#include "res/resource.h"
#include "sys/fs.h"
#include "ui/modal.h"

bool CLoaderDlg::AddFileRow(const std::string& path, const std::string& levelName,
                            const std::string& gamePath, int32_t lvlTypeId, int32_t lvlPrestDef) {
    int item = m_listFiles.InsertItem(m_listFiles.GetItemCount(), path);
    if (item < 0) return false;
    SetRowParams(item, {levelName, gamePath, lvlTypeId, lvlPrestDef});
    return true;
}

void CLoaderDlg::SetRowParams(int item, const ParamEntry& params) {
    m_listFiles.SetItemText(item, kColName, params.levelName);
    m_listFiles.SetItemText(item, kColGamePath, params.gamePath);
    m_listFiles.SetItemText(item, kColTypeId, UnsignedText(params.lvlTypeId));
    m_listFiles.SetItemText(item, kColPrestDef, UnsignedText(params.lvlPrestDef));
}

int CLoaderDlg::FindRow(const std::string& path) const {
    int count = m_listFiles.GetItemCount();
    for (int i = 0; i < count; ++i)
        if (sys::SamePathIgnoringCase(m_listFiles.GetItemText(i, kColPath), path)) return i;
    return -1;
}

void CLoaderDlg::OnAddFiles() {
    UpdateData(true);
    if (m_listFiles.GetItemCount() >= kMaxFileRows) {
        ui::ShowErrorMessage(this, kMaxFilesMessage);
        return;
    }

    ui::OpenFileOptions options;
    options.filters = {{"Diablo II Map (*.ds1)", "*.ds1"}, {"Any File (*.*)", "*.*"}};
    options.multiSelect = true;
    ui::FileDialogResult chosen = ui::ShowOpenFileDialog(this, options);
    if (!chosen.confirmed) return;

    int tooLong = 0;
    if (chosen.folder.empty()) {
        // One file: its full path.
        const std::string& path = chosen.paths.empty() ? std::string() : chosen.paths.front();
        ParamEntry params;
        if (path.size() > kMaxMapPath)
            ++tooLong;
        else if (!path.empty() && FindRow(path) < 0 &&
                 LookupParams(path, this, params, LOOKUP_NO_SKIP) == LOOKUP_FOUND)
            AddFileRow(path, params.levelName, params.gamePath, params.lvlTypeId,
                       params.lvlPrestDef);
    } else {
        std::size_t next = 0;
        for (; next < chosen.names.size() && m_listFiles.GetItemCount() < kMaxFileRows; ++next) {
            std::string path = JoinFolderName(chosen.folder, chosen.names[next]);
            if (path.size() > kMaxMapPath) {
                ++tooLong;
                continue;
            }
            if (FindRow(path) >= 0) continue;
            ParamEntry params;
            LookupResult found = LookupParams(path, this, params, LOOKUP_NO_SKIP);
            if (found == LOOKUP_FOUND)
                AddFileRow(path, params.levelName, params.gamePath, params.lvlTypeId,
                           params.lvlPrestDef);
            else if (found == LOOKUP_CANCELLED)
                break;
        }
        if (m_listFiles.GetItemCount() >= kMaxFileRows && next < chosen.names.size())
            ui::ShowErrorMessage(this, kMaxFilesAddedMessage);
    }
    if (tooLong > 0) ui::ShowErrorMessage(this, kPathTooLongMessage);

    RefreshLayout();
    UpdateData(false);
}

void CLoaderDlg::OnRemoveFiles() {
    UpdateData(true);
    if (m_listFiles.GetNextSelected() < 0) {
        ui::ShowErrorMessage(this, kNoItemsSelectedMessage);
        return;
    }
    {
        ui::RedrawPause pause(m_listFiles);  // Ctrl+A, Delete on a full list: one redraw
        for (int item; (item = m_listFiles.GetNextSelected()) >= 0;)
            if (!m_listFiles.DeleteItem(item)) break;
    }
    RefreshLayout();
    UpdateData(false);
}

void CLoaderDlg::OnDeleteKey() {
    if (m_listFiles.GetNextSelected() >= 0) OnRemoveFiles();
}

void CLoaderDlg::OnSelectAll() {
    m_listFiles.SetSelected(-1, true);
}

void CLoaderDlg::OnDropFiles(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        if (m_listFiles.GetItemCount() >= kMaxFileRows) break;
        if (path.size() > kMaxMapPath || FindRow(path) >= 0) continue;
        ParamEntry params;
        LookupResult found = LookupParams(path, this, params, 0);
        if (found == LOOKUP_FOUND)
            AddFileRow(path, params.levelName, params.gamePath, params.lvlTypeId,
                       params.lvlPrestDef);
        else if (found == LOOKUP_CANCELLED)
            break;
    }
    RefreshLayout();
}

void CLoaderDlg::OnDblclkFileList() {
    int item = m_listFiles.HitTestCursor();
    if (item < 0) return;
    ParamEntry params;
    if (LookupParams(m_listFiles.GetItemText(item, kColPath), this, params, LOOKUP_NO_SKIP) !=
        LOOKUP_FOUND)
        return;
    SetRowParams(item, params);
}
