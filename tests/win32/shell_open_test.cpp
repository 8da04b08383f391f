// The loader registered in the real registry of the test prefix and started through the
// registered open command as the shell starts it.
#include <windows.h>
// Needs windows.h before them.
#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>

#include "app/shell_registration.h"
#include "res/resource.h"
#include "tests/common/helpers.h"
#include "tests/win32/windows_helpers.h"

using namespace testing_win32;

namespace {

// Row `item` of the list view `list` of another process, columns joined by '|'.
std::string RemoteRow(HWND list, HANDLE process, int item) {
    constexpr int kChars = 512;
    auto* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, sizeof(LVITEMW) + 2 * kChars, MEM_COMMIT, PAGE_READWRITE));
    std::string row;
    for (int column = 0; column < 5; ++column) {
        LVITEMW lv{};
        lv.iSubItem = column;
        lv.cchTextMax = kChars;
        lv.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
        WriteProcessMemory(process, remote, &lv, sizeof lv, nullptr);
        std::wstring text(
            SendMessageW(list, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(remote)), L'\0');
        ReadProcessMemory(process, lv.pszText, text.data(), text.size() * 2, nullptr);
        row += (column ? "|" : "") + sys::win32::Narrow(text);
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return row;
}

// The loader copied beside a table of its own, registered, and a map with blanks in its
// path opened by the shell: the map's row is in the loader's list.
TEST(ShellOpen, OpeningAMapFromTheShellShowsItInTheLoadersList) {
    test::TempFolder temp;
    const std::string program = temp.Path("kelvorn_loader.exe");
    const std::string map = temp.Path("my maps\\Duriel.ds1");
    const std::string built = StandinPath().substr(0, StandinPath().size() - 11);
    ASSERT_TRUE(CopyFileA((built + "kelvorn_loader.exe").c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(WriteBytes(temp.Path("kelvorn_loader.ini"),
                           "[PARAMS]\r\nduriel.ds1\tDuriel's Lair\tdata\\duriel\t46\t481\r\n"));
    ASSERT_TRUE(CreateDirectoryA((temp.Path("my maps")).c_str(), nullptr));
    ASSERT_TRUE(WriteBytes(map, "map"));
    ASSERT_EQ(RegisterMapFileType(sys::SystemRegistry(), program), Registration::MachineWide);

    const std::wstring file = sys::win32::Widen(map);
    SHELLEXECUTEINFOW run{};
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    run.lpVerb = L"open";
    run.lpFile = file.c_str();
    run.nShow = SW_SHOWNORMAL;
    ASSERT_TRUE(ShellExecuteExW(&run) && run.hProcess) << GetLastError();
    HWND window = nullptr;
    for (int wait = 0; wait < 200 && !window; ++wait, Sleep(100)) {
        window = FindWindowW(L"#32770", L"kelvorn Loader");
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != GetProcessId(run.hProcess) || !IsWindowVisible(window)) window = nullptr;
    }
    std::string row;
    if (window) {
        row = RemoteRow(GetDlgItem(window, IDC_FILE_LIST), run.hProcess, 0);
        PostMessageW(window, WM_COMMAND, ID_FILE_EXIT, 0);
    }
    if (WaitForSingleObject(run.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(run.hProcess, 1);
    CloseHandle(run.hProcess);
    for (const char* key : {".ds1", "DiabloIIMap"}) RegDeleteTreeA(HKEY_CLASSES_ROOT, key);
    EXPECT_EQ(row, map + "|Duriel's Lair|data\\duriel|46|481");
}

}  // namespace
