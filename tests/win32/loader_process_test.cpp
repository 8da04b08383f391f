// The real kelvorn_loader.exe as its own process, started as users start it: by cmd, so that
// it holds cmd's console (as run.sh starts the demo), and by the shell opening a map through
// the registered open command. It is driven by posted menu commands,
// and its windows are read with WM_GETTEXT in wide form, which Wine carries between
// processes intact (list texts and menu states it does not).
#include "tests/win32/windows_helpers.h"
// Needs windows.h before it.
#include <shellapi.h>

#include "app/shell_registration.h"
#include "res/resource.h"
#include "tests/common/helpers.h"
#include "ui/win32/unusable_paths.h"
#include "ui/win32/wide.h"

using namespace testing_win32;

namespace {

// Waits up to 60 s for a visible loader window other than `previous`; an error box the
// loader shows meanwhile is read, closed and reported.
HWND AwaitLoader(HWND previous, std::wstring& errors) {
    for (int tick = 0; tick < 600; ++tick) {
        if (HWND box = FindWindowExW(nullptr, nullptr, L"#32770", L"ERROR")) {
            errors += Text(GetDlgItem(box, 0xFFFF)) + L"\n";
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32770", L"kelvorn Loader"));)
            if (w != previous && IsWindowVisible(w)) return w;
        Sleep(100);
    }
    return nullptr;
}

// The program's and the map's folders hold a letter of the code page, which the registered
// command, the loader's own path and its command line must keep; a path the code page cannot
// hold is refused by name before the window shows.
TEST(LoaderProcess, StartedFromCmdOrTheShellItRunsTheEditorAndShowsItsReport) {
    test::TempFolder temp;
    const std::string program = temp.Path("loader \xe9\\"), editor = temp.Path("editor\\");
    const std::string map = editor + "cartes \xe9\\a.ds1";
    for (const std::string& folder : {program, editor, editor + "cartes \xe9\\"})
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    ASSERT_TRUE(CopyBuilt("kelvorn_loader.exe", program) && CopyBuilt("kelvorn.exe", editor));
    temp.Write("editor\\cartes \xe9\\a.ds1", "map");
    temp.Write("loader \xe9\\kelvorn_loader.ini",
               "kelvornpath = " + editor +
                   "\r\nkelvornname = kelvorn.exe\r\n\r\n[PARAMS]\r\na.ds1\tAct 1 - "
                   "Town\tdata\\act1\t1\t2\r\n");
    struct Unregister {
        ~Unregister() {
            for (const char* key : {".ds1", "DiabloIIMap"}) RegDeleteTreeA(HKEY_CLASSES_ROOT, key);
        }
    } unregister;
    ASSERT_EQ(RegisterMapFileType(sys::SystemRegistry(), program + "kelvorn_loader.exe"),
              Registration::MachineWide);

    const std::wstring folder = ui::win32::Widen(program), wideMap = ui::win32::Widen(map);
    const std::wstring japanese = L"C:\\\u65e5\u672c.ds1",
                       viaCmd = L"/c kelvorn_loader.exe \"" + wideMap + L"\" \"" + japanese + L"\"";
    for (const bool openMap : {false, true}) {
        SCOPED_TRACE(openMap ? "a map opened in the shell" : "started by cmd");
        SHELLEXECUTEINFOW run{};
        run.cbSize = sizeof run;
        run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NO_CONSOLE;
        run.lpVerb = L"open";
        run.lpFile = openMap ? wideMap.c_str() : L"cmd.exe";
        run.lpParameters = openMap ? nullptr : viaCmd.c_str();
        run.lpDirectory = folder.c_str();
        run.nShow = SW_SHOWNORMAL;
        ASSERT_TRUE(ShellExecuteExW(&run)) << GetLastError();
        std::wstring errors;
        HWND first = AwaitLoader(nullptr, errors);
        ASSERT_NE(first, nullptr) << "the loader's window never showed";
        DWORD loaderId = 0;
        GetWindowThreadProcessId(first, &loaderId);
        HANDLE loader = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, loaderId);

        PostMessageW(first, WM_COMMAND, MAKEWPARAM(ID_FILE_RUN, 0), 0);
        HWND back = AwaitLoader(first, errors);
        const std::wstring pane = back ? Text(GetDlgItem(back, IDC_OUTPUT)) : L"";
        if (back) PostMessageW(back, WM_COMMAND, MAKEWPARAM(ID_FILE_EXIT, 0), 0);
        EXPECT_EQ(errors,
                  openMap ? L"" : ui::win32::kUnusablePathMessage + (L"\n\n" + japanese + L"\n"));
        EXPECT_NE(back, nullptr) << "the loader's window never came back";
        EXPECT_NE(pane.find(L"\nmap: cartes \u00e9\\a.ds1 (found)\r\n"), std::wstring::npos);
        EXPECT_TRUE(pane.ends_with(L"\r\nEditor's process Exited with code 0 (0x0)\r\n"))
            << pane.c_str();

        // Exit ends the loader, and cmd with it; nothing is left running.
        EXPECT_EQ(WaitForSingleObject(loader, 20000), WAIT_OBJECT_0);
        EXPECT_EQ(WaitForSingleObject(run.hProcess, 20000), WAIT_OBJECT_0);
        for (HANDLE h : {loader, run.hProcess}) {
            TerminateProcess(h, 1);
            CloseHandle(h);
        }
    }
    RemoveWhenFreed(temp.Path());
}

}  // namespace
