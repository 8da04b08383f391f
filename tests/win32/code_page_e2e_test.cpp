// A Windows-1252 table end to end: accented map and level names chosen through the real
// Open dialog and dropped, shown in the list, written to temp.ini and read by the stand-in
// editor, all as bytes of the code page; paths it cannot hold refused by name while the
// rest is taken.
#include <windows.h>
// Needs windows.h before them.
#include <commctrl.h>
#include <shlobj.h>
#undef SetCurrentDirectory
#undef MessageBox

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/loader_app.h"
#include "app/loader_dlg.h"
#include "res/resource.h"
#include "tests/common/helpers.h"
#include "tests/win32/file_dialog_driver.h"
#include "tests/win32/windows_helpers.h"
#include "ui/backend.h"
#include "ui/win32/unusable_paths.h"

namespace kelvorn_test {
namespace {

using WStrings = std::vector<std::wstring>;

const std::string kEte = "\xe9t\xe9 \x80.ds1";  // "été €.ds1"
const std::string kBateau = "b\xe2teau.ds1";    // "bâteau.ds1"
const std::wstring kJapanese = L"\u65e5\u672c.ds1";
const std::string kLongName(127, '\xe9');  // the longest level name: 127 bytes, not 254

// The rows of the list as wide text, as the control holds them.
std::vector<WStrings> ListRows(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_FILE_LIST);
    std::vector<WStrings> rows(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (int column = 0; column < 5; ++column) {
            wchar_t text[1024] = {};
            LVITEMW item{};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = 1024;
            SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
            rows[i].push_back(text);
        }
    }
    return rows;
}

// Drops `paths` on the window as the shell does: a DROPFILES block of wide paths.
void DropWide(HWND window, const WStrings& paths) {
    std::wstring list;
    for (const std::wstring& path : paths) list += path + L'\0';
    list += L'\0';
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(drop + 1, list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(block);
    SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
}

std::wstring PaneText(HWND dialog) {
    HWND pane = GetDlgItem(dialog, IDC_OUTPUT);
    std::wstring text(GetWindowTextLengthW(pane) + 1, L'\0');
    text.resize(GetWindowTextW(pane, text.data(), static_cast<int>(text.size())));
    return text;
}

TEST(CodePageEndToEnd, AccentedMapsAndLevelsFromDialogAndDropToTheEditor) {
    test::TempFolder temp;
    const std::string program = temp.Path("loader\\"), editor = temp.Path("editor\\");
    const std::string maps = editor + "maps\\";
    for (const std::string& folder : {program, editor, maps})
        ASSERT_TRUE(CreateDirectoryW(ui::win32::Widen(folder).c_str(), nullptr)) << folder;
    ASSERT_TRUE(CopyFileW(ui::win32::Widen(testing_win32::StandinPath()).c_str(),
                          ui::win32::Widen(editor + "kelvorn.exe").c_str(), FALSE));
    const std::wstring wideMaps = ui::win32::Widen(maps);
    std::ofstream(std::filesystem::path(wideMaps + kJapanese)) << "map";
    for (const std::string& map : {kEte, kBateau})
        ASSERT_TRUE(testing_win32::WriteBytes(maps + map, "map"));
    ASSERT_TRUE(testing_win32::WriteBytes(
        program + "kelvorn_loader.ini",
        "kelvornpath = " + editor + "\r\nkelvornname = kelvorn.exe\r\n\r\n[PARAMS]\r\n" + kEte +
            "\tFor\xeat \xe0 l'\xc9t\xe9\tdata\\for\xeat\t1\t2\r\n" + kBateau + "\t" + kLongName +
            "\tdata\\mer\t3\t4\r\n"));

    CLoaderApp app;
    const std::string exe = program + "kelvorn_loader.exe";
    app.m_programFilePath = [exe] { return std::optional<std::string>(exe); };
    ui::Script script;
    WStrings openPrompts;
    std::vector<WStrings> rowsBefore, rowsAfter;
    std::wstring pane;
    script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
        ui::OpenFileOptions options;
        options.multiSelect = true;
        options.initialFolder = maps;
        {
            DialogDriver drive(L"\"" + ui::win32::Widen(kEte) + L"\" \"" + kJapanese + L"\"");
            ui::FileDialogResult chosen = ui::backend::FileDialog(&d, options, false);
            openPrompts = drive.prompts;
            // What the real dialog gave goes to Add as its answer.
            script.AnswerOpenFiles(chosen.folder, chosen.names);
        }
        d.ChooseMenu(ID_FILE_ADD);
        DropWide(Hwnd(d), {wideMaps + kJapanese, ui::win32::Widen(maps + kBateau)});
        rowsBefore = ListRows(Hwnd(d));
        d.ChooseMenu(ID_FILE_RUN);
    });
    script.OnDialog(IDD_LOADER, [&](ui::Dialog& d) {
        rowsAfter = ListRows(Hwnd(d));
        d.ChooseMenu(ID_VIEW_OUTPUT);
        pane = PaneText(Hwnd(d));
        d.PressEscape();
    });
    {
        test::CurrentFolderScope keep(temp.Path());
        testing_win32::ConsoleScope console;
        app.InitInstance("");
    }

    const std::wstring refusedText = ui::win32::UnusablePathsText({wideMaps + kJapanese});
    EXPECT_EQ(openPrompts, WStrings{refusedText});
    ASSERT_EQ(script.MessageBoxes().size(), 2u);
    for (const ui::MessageBoxCall& box : script.MessageBoxes()) {
        EXPECT_EQ(box.text, ui::win32::Narrow(refusedText));
        EXPECT_EQ(box.ownerTemplate, IDD_LOADER);
    }
    const std::vector<WStrings> rows = {
        {wideMaps + L"\u00e9t\u00e9 \u20ac.ds1", L"For\u00eat \u00e0 l'\u00c9t\u00e9",
         L"data\\for\u00eat", L"1", L"2"},
        {wideMaps + L"b\u00e2teau.ds1", std::wstring(127, L'\u00e9'), L"data\\mer", L"3", L"4"},
    };
    EXPECT_EQ(rowsBefore, rows);
    EXPECT_EQ(rowsAfter, rows);
    EXPECT_EQ(testing_win32::ReadBytes(program + "temp.ini"),
              "1 2 maps\\" + kEte + "\r\n3 4 maps\\" + kBateau + "\r\n");
    for (const wchar_t* line :
         {L"list line 1: 1 2 maps\\\u00e9t\u00e9 \u20ac.ds1\r\nmap: maps\\\u00e9t\u00e9 \u20ac.ds1 "
          L"(found)\r\n",
          L"list line 2: 3 4 maps\\b\u00e2teau.ds1\r\nmap: maps\\b\u00e2teau.ds1 (found)\r\n",
          L"Editor's process Exited with code 0 (0x0)"})
        EXPECT_NE(pane.find(line), std::wstring::npos) << line;
    EXPECT_TRUE(script.Errors().empty()) << script.Errors().front();
}

}  // namespace
}  // namespace kelvorn_test
