// Walks the program's own windows, as a user would meet them, and saves a picture of each:
// the guide's pictures. The windows are the program's (same templates, same dialog code,
// real controls); a script drives them from inside, as the Windows tests do.
//
//     screenshot_tour OUTDIR MAP...     (run in the demo workspace, beside its table)
//
// Writes OUTDIR\<name>.bmp for each window; tools/screenshots.sh turns them into PNGs.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/about_dlg.h"
#include "app/force_dt1_dlg.h"
#include "app/loader_app.h"
#include "app/loader_dlg.h"
#include "editorcfg/editor_ini_dlg.h"
#include "loadercfg/loader_ini_dlg.h"
#include "loadercfg/select_params_dlg.h"
#include "res/resource.h"
#include "ui/script.h"
#include "ui/win32/util.h"

namespace {

std::wstring g_outDir;

// Lets the window and everything it asked for paint, as a user would see it.
void Settle(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const DWORD until = GetTickCount() + 600;
    while (GetTickCount() < until) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(20);
    }
}

// The window as the screen shows it, caption and frame included, as a 24-bit BMP file.
void Capture(const ui::Dialog& dialog, const char* name) {
    HWND hwnd = ui::win32::WindowOf(&dialog);
    Settle(hwnd);
    RECT r{};
    GetWindowRect(hwnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int stride = (w * 3 + 3) & ~3;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();

    const std::wstring path = g_outDir + L"\\" + std::wstring(name, name + strlen(name)) + L".bmp";
    if (FILE* f = _wfopen(path.c_str(), L"wb")) {
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
        file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * h);
        std::fwrite(&file, sizeof file, 1, f);
        std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, f);
        std::fwrite(bits, static_cast<size_t>(stride) * h, 1, f);
        std::fclose(f);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

template <class D>
void On(ui::Script& script, int templateId, void (*step)(D&)) {
    script.OnDialog(templateId, [step](ui::Dialog& d) {
        step(static_cast<D&>(d));
        if (!d.IsEnding()) d.PressEscape();
    });
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: screenshot_tour OUTDIR MAP...\n");
        return 2;
    }
    g_outDir = argv[1];
    std::string cmdLine;
    for (int i = 2; i < argc; ++i) {
        char narrow[MAX_PATH];
        WideCharToMultiByte(CP_ACP, 0, argv[i], -1, narrow, MAX_PATH, nullptr, nullptr);
        cmdLine += std::string(i > 2 ? " \"" : "\"") + narrow + "\"";
    }

    ui::Script script;
    // The map that fits two rows asks first, while the main window is being made.
    On<CSelectParamsDlg>(script, IDD_SELECT_PARAMS, [](CSelectParamsDlg& d) {
        Capture(d, "choice");
        d.ClickButton(IDC_SELECT_OK);
    });
    // First showing: both panes, a few options, then Run.
    On<CLoaderDlg>(script, IDD_LOADER, [](CLoaderDlg& d) {
        d.ChooseMenu(ID_VIEW_PARAMETERS);
        d.ChooseMenu(ID_VIEW_OUTPUT);
        d.m_options.bResize = true;
        d.m_options.bForcePalette = true;
        d.m_options.act = 2;
        d.UpdateData(false);
        d.ChooseMenu(ID_FILE_RUN);
    });
    // Back from the editor: the report in the output pane; then every other window.
    On<CLoaderDlg>(script, IDD_LOADER, [](CLoaderDlg& d) {
        Capture(d, "main");
        d.ClickButton(IDC_CONFIGURE_DT1);
        d.ChooseMenu(ID_EDIT_LOADER_INI);
        d.ChooseMenu(ID_EDIT_EDITOR_INI);
        d.ChooseMenu(ID_HELP_ABOUT);
        d.PressEscape();
    });
    On<CForceDt1Dlg>(script, IDD_FORCE_DT1, [](CForceDt1Dlg& d) {
        d.DropFiles({"C:\\Diablo II\\data\\global\\tiles\\ACT1\\Outdoors\\TreeFence.dt1",
                     "C:\\Diablo II\\data\\global\\tiles\\ACT1\\Outdoors\\Bridge.dt1",
                     "C:\\Diablo II\\data\\global\\tiles\\ACT1\\Town\\Floor.dt1"});
        Capture(d, "force-dt1");
    });
    On<CLoaderIniDlg>(script, IDD_LOADER_INI, [](CLoaderIniDlg& d) {
        d.m_list.SetSelected(4, true);
        Capture(d, "loader-ini");
        d.ClickButton(IDC_MODIFY);
    });
    On<ui::Dialog>(script, IDD_PARAM_LINE, [](ui::Dialog& d) { Capture(d, "line"); });
    On<CEditorIniDlg>(script, IDD_EDITOR_INI, [](CEditorIniDlg& d) { Capture(d, "editor-ini"); });
    On<CAboutDlg>(script, IDD_ABOUTBOX, [](CAboutDlg& d) { Capture(d, "about"); });

    CLoaderApp app;
    app.InitInstance(cmdLine);
    for (const std::string& error : script.Errors()) std::fprintf(stderr, "%s\n", error.c_str());
    return script.Errors().empty() ? 0 : 1;
}
