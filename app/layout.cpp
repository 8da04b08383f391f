// The panes, the option controls and the menu states of the main window.
#include "app/layout.h"

#include <algorithm>

#include "app/loader_dlg.h"
#include "res/resource.h"

namespace {

// The option controls, always handled together, in this order.
constexpr int kOptionControls[] = {
    IDC_RESIZE,        IDC_STATIC_X,  IDC_RESIZE_X,   IDC_STATIC_Y, IDC_RESIZE_Y,     IDC_FORCE_DT1,
    IDC_CONFIGURE_DT1, IDC_FORCE_PAL, IDC_STATIC_ACT, IDC_ACT,      IDC_NO_CHECK_ACT,
};

}  // namespace

PaneLayout LayoutFor(bool showOptions, bool showOutput, int dpi) {
    PaneLayout at96;
    if (showOptions)
        at96 = showOutput ? PaneLayout{557, 246} : PaneLayout{296, -1};
    else
        at96 = showOutput ? PaneLayout{508, 197} : PaneLayout{247, -1};
    return {ScaleForDpi(at96.windowHeight, dpi),
            at96.outputTop < 0 ? -1 : ScaleForDpi(at96.outputTop, dpi)};
}

uint32_t ClampResize(uint32_t value) {
    return std::clamp<uint32_t>(value, 1, 255);
}

uint32_t ClampAct(uint32_t value) {
    return std::clamp<uint32_t>(value, 1, 5);
}

void CLoaderDlg::RefreshLayout() {
    ui::WindowPort& window = Window();
    PaneLayout layout = LayoutFor(m_bShowOptions, m_bShowOutput, window.GetDpi());

    for (int id : kOptionControls) window.ShowItem(id, m_bShowOptions);
    window.ShowItem(IDC_OUTPUT, m_bShowOutput);
    if (layout.outputTop >= 0) {
        ui::Rect pane = window.GetItemRect(IDC_OUTPUT);
        int height = pane.Height();
        pane.top = layout.outputTop;
        pane.bottom = layout.outputTop + height;
        window.MoveItem(IDC_OUTPUT, pane, true);
    }
    window.SetWindowHeight(layout.windowHeight);
    window.BringToTop();
    window.CheckMenuItem(ID_VIEW_PARAMETERS, m_bShowOptions);
    window.CheckMenuItem(ID_VIEW_OUTPUT, m_bShowOutput);

    int rows = m_listFiles.GetItemCount();
    if (rows > 1) {
        EnableOptionControls(false);
        m_options.bResize = false;
        m_options.bNoCheckAct = false;
        m_options.bForcePalette = false;
        m_options.bForceDt1 = false;
    } else {
        EnableOptionControls(true);
    }
    window.EnableMenuItem(ID_FILE_RUN, rows > 0);
    window.EnableMenuItem(ID_FILE_MAKE_BATCH, rows > 0);
    window.DragAcceptFiles(rows < kMaxFileRows);
}

void CLoaderDlg::EnableOptionControls(bool enabled) {
    for (int id : kOptionControls) Window().EnableItem(id, enabled);
}

void CLoaderDlg::OnViewParameters() {
    m_bShowOptions = !m_bShowOptions;
    RefreshLayout();
}

void CLoaderDlg::OnViewOutput() {
    m_bShowOutput = !m_bShowOutput;
    RefreshLayout();
}

void CLoaderDlg::OnResizeClicked() {
    UpdateData(true);
    for (int id : {IDC_STATIC_X, IDC_RESIZE_X, IDC_STATIC_Y, IDC_RESIZE_Y})
        Window().EnableItem(id, m_options.bResize);
}

void CLoaderDlg::OnForceDt1Clicked() {
    UpdateData(true);
    Window().EnableItem(IDC_CONFIGURE_DT1, m_options.bForceDt1);
}

void CLoaderDlg::OnForcePaletteClicked() {
    UpdateData(true);
    for (int id : {IDC_STATIC_ACT, IDC_ACT}) Window().EnableItem(id, m_options.bForcePalette);
}

// Every change of a number edit clamps what it holds and writes it back. A text that is
// no number has shown the exchange's prompt; the last good value is written back then.
void CLoaderDlg::OnResizeXChanged() {
    UpdateData(true);
    m_options.resizeX = ClampResize(m_options.resizeX);
    UpdateData(false);
}

void CLoaderDlg::OnResizeYChanged() {
    UpdateData(true);
    m_options.resizeY = ClampResize(m_options.resizeY);
    UpdateData(false);
}

void CLoaderDlg::OnActChanged() {
    UpdateData(true);
    m_options.act = ClampAct(m_options.act);
    UpdateData(false);
}
