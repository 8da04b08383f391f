// The real kelvorn_loader.exe as its own process, started the way run.sh starts the demo:
// by cmd running a batch file, so that it holds cmd's console. It is driven from here by
// posted menu commands, and its windows are read with WM_GETTEXT in wide form, which Wine
// carries between processes intact (list texts and menu states it does not).
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "res/resource.h"
#include "sys/win32/wide.h"
#include "tests/common/helpers.h"
#include "tests/win32/windows_helpers.h"

using namespace testing_win32;

namespace {

std::string BesideTests(const std::string& name) {
    const std::string standin = StandinPath();
    return standin.substr(0, standin.find_last_of('\\') + 1) + name;
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return L"(no answer)";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &got);
    text.resize(got);
    return text;
}

// A visible dialog of another process with this caption, other than `not_`.
HWND FindDialog(const wchar_t* caption, HWND not_ = nullptr) {
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32770", caption));) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (w != not_ && pid != GetCurrentProcessId() && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

// Waits up to 60 s for the loader's window other than `previous`; an error box the
// loader shows meanwhile is read, closed and reported.
HWND AwaitLoader(HWND previous, std::wstring& errors) {
    for (int tick = 0; tick < 600; ++tick) {
        if (HWND box = FindDialog(L"ERROR")) {
            errors += TextOf(GetDlgItem(box, 0xFFFF)) + L"\n";
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        if (HWND loader = FindDialog(L"kelvorn Loader", previous)) return loader;
        Sleep(100);
    }
    return nullptr;
}

TEST(LoaderProcess, StartedByABatchFileItRunsTheEditorAndShowsItsReport) {
    test::TempFolder temp;
    const std::string program = temp.Path("loader\\"), editor = temp.Path("editor\\");
    for (const std::string& folder : {program, editor, editor + "maps\\"})
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    ASSERT_TRUE(CopyFileA(BesideTests("kelvorn_loader.exe").c_str(),
                          (program + "kelvorn_loader.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(StandinPath().c_str(), (editor + "kelvorn.exe").c_str(), FALSE));
    ASSERT_TRUE(WriteBytes(editor + "maps\\a.ds1", "map"));
    ASSERT_TRUE(WriteBytes(program + "kelvorn_loader.ini",
                           "kelvornpath = " + editor +
                               "\r\nkelvornname = kelvorn.exe\r\n\r\n[PARAMS]\r\n"
                               "a.ds1\tAct 1 - Town\tdata\\act1\t1\t2\r\n"));
    ASSERT_TRUE(WriteBytes(program + "open.bat",
                           "@echo off\r\nkelvorn_loader.exe \"" + editor + "maps\\a.ds1\"\r\n"));

    // cmd gets a console of its own, and the loader it starts is attached to it.
    std::wstring command = L"cmd.exe /c open.bat";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION cmd{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE,
                               nullptr, sys::win32::Widen(program).c_str(), &startup, &cmd));
    std::wstring errors;
    HWND first = AwaitLoader(nullptr, errors);
    ASSERT_NE(first, nullptr) << "the loader's window never showed";
    DWORD loaderId = 0;
    GetWindowThreadProcessId(first, &loaderId);
    HANDLE loader = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, loaderId);

    PostMessageW(first, WM_COMMAND, MAKEWPARAM(ID_FILE_RUN, 0), 0);
    HWND back = AwaitLoader(first, errors);
    std::wstring pane = back ? TextOf(GetDlgItem(back, IDC_OUTPUT)) : L"";
    if (back) PostMessageW(back, WM_COMMAND, MAKEWPARAM(ID_FILE_EXIT, 0), 0);

    EXPECT_EQ(errors, L"");
    ASSERT_NE(back, nullptr) << "the loader's window never came back";
    for (const wchar_t* line :
         {L"kelvorn Loader: starting editor using command line \"kelvorn.exe\" \"maps\\a.ds1\" "
          L"1 2\r\n\r\nkelvorn stand-in editor\r\n",
          L"shape: one map\r\nmap: maps\\a.ds1 (found)\r\n",
          L"From stderr.txt:\r\n\r\nstand-in editor: no errors\r\n",
          L"Editor's process Exited with code 0 (0x0)\r\n"})
        EXPECT_NE(pane.find(line), std::wstring::npos) << line << "\nin:\n" << pane.c_str();

    // Exit ends the loader, and cmd with it; nothing is left running.
    EXPECT_EQ(WaitForSingleObject(loader, 20000), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(cmd.hProcess, 20000), WAIT_OBJECT_0);
    TerminateProcess(loader, 1);
    TerminateProcess(cmd.hProcess, 1);
    for (HANDLE h : {loader, cmd.hProcess, cmd.hThread}) CloseHandle(h);
    // The console's host may hold a folder for a moment.
    std::error_code ec;
    for (int attempt = 0; attempt < 30 && std::filesystem::exists(program, ec); ++attempt) {
        std::filesystem::remove_all(temp.Path(), ec);
        Sleep(100);
    }
}

}  // namespace
