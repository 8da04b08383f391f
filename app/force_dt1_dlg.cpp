#include "app/force_dt1_dlg.h"

#include <algorithm>

#include "app/file_list_entry.h"
#include "app/path_text.h"
#include "res/resource.h"
#include "sys/fs.h"
#include "ui/ddx.h"
#include "ui/dpi.h"
#include "ui/modal.h"

CForceDt1Dlg::CForceDt1Dlg(ui::Dialog* owner) : ui::Dialog(IDD_FORCE_DT1, owner) {
    MapCommand(IDC_ADD, &CForceDt1Dlg::OnAddDt1);
    MapCommand(IDC_REMOVE, &CForceDt1Dlg::OnRemoveDt1);
    MapKey(IDC_DT1_LIST, ui::VkDelete, &CForceDt1Dlg::OnRemoveDt1);
}

void CForceDt1Dlg::DoDataExchange(ui::DataExchange& dx) {
    ui::DDX_Control(dx, IDC_DT1_LIST, m_listDt1);
}

bool CForceDt1Dlg::OnInitDialog() {
    Window().DragAcceptFiles(true);
    for (const std::string& path : m_dt1Files)
        if (!path.empty()) m_listDt1.AddString(path);
    UpdateHorizontalExtent();
    UpdateData(false);
    return true;
}

bool CForceDt1Dlg::Contains(const std::string& path) const {
    int count = m_listDt1.GetCount();
    for (int i = 0; i < count; ++i)
        if (sys::SamePathIgnoringCase(m_listDt1.GetText(i), path)) return true;
    return false;
}

void CForceDt1Dlg::UpdateHorizontalExtent() {
    int widest = 0;
    int count = m_listDt1.GetCount();
    for (int i = 0; i < count; ++i)
        widest = std::max(widest, m_listDt1.MeasureText(m_listDt1.GetText(i)));
    const int slack = ui::ScaleForDpi(100, Window().GetDpi());
    m_listDt1.SetHorizontalExtent(widest > slack ? widest - slack : 0);
}

void CForceDt1Dlg::OnAddDt1() {
    UpdateData(true);
    if (m_listDt1.GetCount() >= kMaxDt1Files) {
        ui::ShowErrorMessage(this, kMaxDt1Message);
        return;
    }

    ui::OpenFileOptions options;
    options.filters = {{"Diablo II Tiles (*.dt1)", "*.dt1"}, {"Any File (*.*)", "*.*"}};
    options.multiSelect = true;
    ui::FileDialogResult chosen = ui::ShowOpenFileDialog(this, options);
    if (!chosen.confirmed) return;

    int tooLong = 0;
    if (chosen.folder.empty()) {
        const std::string& path = chosen.paths.empty() ? std::string() : chosen.paths.front();
        if (path.size() > kMaxMapPath)
            ++tooLong;
        else if (!path.empty() && !Contains(path))
            m_listDt1.AddString(path);
    } else {
        for (const std::string& name : chosen.names) {
            if (m_listDt1.GetCount() >= kMaxDt1Files) break;  // the rest go silently
            std::string path = JoinFolderName(chosen.folder, name);
            if (path.size() > kMaxMapPath)
                ++tooLong;
            else if (!Contains(path))
                m_listDt1.AddString(path);
        }
    }
    if (tooLong > 0) ui::ShowErrorMessage(this, kPathTooLongMessage);

    UpdateHorizontalExtent();
    UpdateData(false);
}

void CForceDt1Dlg::OnRemoveDt1() {
    UpdateData(true);
    for (int i = 0; i < m_listDt1.GetCount();) {
        int before = m_listDt1.GetCount();
        if (m_listDt1.GetSel(i)) m_listDt1.DeleteString(i);
        // After a deletion the same index holds the next item.
        if (m_listDt1.GetCount() == before) ++i;
    }
    UpdateHorizontalExtent();
    UpdateData(false);
}

void CForceDt1Dlg::OnDropFiles(const std::vector<std::string>& paths) {
    if (m_listDt1.GetCount() >= kMaxDt1Files) return;
    for (const std::string& path : paths) {
        if (m_listDt1.GetCount() >= kMaxDt1Files) break;
        if (path.size() > kMaxMapPath || Contains(path)) continue;
        m_listDt1.AddString(path);
    }
    UpdateHorizontalExtent();
    UpdateData(false);
}

void CForceDt1Dlg::OnOK() {
    int count = std::min(m_listDt1.GetCount(), kMaxDt1Files);
    for (int i = 0; i < kMaxDt1Files; ++i) m_dt1Files[i] = i < count ? m_listDt1.GetText(i) : "";
    m_nDt1Count = count;
    ui::Dialog::OnOK();
}
