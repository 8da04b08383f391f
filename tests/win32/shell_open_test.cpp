// Registration in the real registry of the test prefix, read back with reg.exe, and the
// loader started through the registered open command as the shell starts it.
#include <windows.h>
// Needs windows.h before them.
#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

#include "app/shell_registration.h"
#include "res/resource.h"
#include "sys/registry.h"
#include "tests/win32/child_capture.h"

using namespace testing_win32;

namespace {

using Strings = std::vector<std::string>;

// The file type's keys in both parts of the classes view, gone before and after each test.
class ShellOpenTest : public ::testing::Test {
  protected:
    void SetUp() override { DeleteTypes(); }
    void TearDown() override { DeleteTypes(); }
    static void DeleteTypes() {
        for (const char* key : {".ds1", "DiabloIIMap", "Other.Map"}) {
            RegDeleteTreeA(HKEY_CLASSES_ROOT, key);
            RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\Classes\\") + key).c_str());
        }
    }
    static void SetDs1(const std::string& value) {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, ".ds1", 0, nullptr, 0, KEY_WRITE, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(key);
    }
    // The default value of HKEY_CLASSES_ROOT\`key` as `reg query` prints it.
    static std::optional<std::string> RegQuery(const std::string& key) {
        const Capture c = CaptureChild("reg query \"HKCR\\" + key + "\" /ve");
        const std::size_t type = c.output.find("REG_SZ");
        if (type == std::string::npos) return std::nullopt;
        const std::size_t start = c.output.find_first_not_of(' ', type + 6);
        return c.output.substr(start, c.output.find_first_of("\r\n", start) - start);
    }
    // The texts of every row of the list view `list` of another process.
    static Strings RemoteRows(HWND list, DWORD processId) {
        Strings rows;
        HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                     FALSE, processId);
        constexpr int kChars = 512;
        char* remote = static_cast<char*>(VirtualAllocEx(process, nullptr,
                                                         sizeof(LVITEMW) + kChars * sizeof(wchar_t),
                                                         MEM_COMMIT, PAGE_READWRITE));
        const auto count = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
        for (int i = 0; i < count; ++i) {
            std::string row;
            for (int column = 0; column < 5; ++column) {
                LVITEMW item{};
                item.iSubItem = column;
                item.cchTextMax = kChars;
                item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
                WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
                const auto length =
                    SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(remote));
                std::wstring text(static_cast<std::size_t>(length), L'\0');
                ReadProcessMemory(process, item.pszText, text.data(), text.size() * sizeof(wchar_t),
                                  nullptr);
                row += (column ? "|" : "") + sys::win32::Narrow(text);
            }
            rows.push_back(row);
        }
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        CloseHandle(process);
        return rows;
    }
    // The visible main window of process `processId`, waited for up to 20 s.
    static HWND MainWindowOf(DWORD processId) {
        struct Search {
            DWORD processId;
            HWND found;
        } search{processId, nullptr};
        for (int attempt = 0; attempt < 200 && !search.found; ++attempt) {
            EnumWindows(
                [](HWND hwnd, LPARAM param) -> BOOL {
                    auto* s = reinterpret_cast<Search*>(param);
                    DWORD owner = 0;
                    GetWindowThreadProcessId(hwnd, &owner);
                    wchar_t title[64] = {};
                    GetWindowTextW(hwnd, title, 64);
                    if (owner != s->processId || !IsWindowVisible(hwnd) ||
                        std::wstring(title) != L"kelvorn Loader")
                        return TRUE;
                    s->found = hwnd;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&search));
            if (!search.found) Sleep(100);
        }
        return search.found;
    }
};

TEST_F(ShellOpenTest, RegisteringTwiceOverAnotherClassOrAnEmptyValueLeavesACompleteType) {
    const std::string program = "C:\\Program Files\\kelvorn\\kelvorn_loader.exe";
    struct Case {
        std::optional<std::string> ds1;  // before: nullopt for no key
        std::string cls;
    } cases[] = {{std::nullopt, "DiabloIIMap"}, {"Other.Map", "Other.Map"}, {"", "DiabloIIMap"}};
    for (const Case& c : cases) {
        DeleteTypes();
        if (c.ds1) SetDs1(*c.ds1);
        for (int time = 1; time <= 2; ++time) {
            EXPECT_EQ(RegisterMapFileType(sys::SystemRegistry(), program),
                      Registration::MachineWide);
            EXPECT_EQ(RegQuery(".ds1"), c.cls) << time;
            EXPECT_EQ(RegQuery(c.cls), "Diablo II Map") << time;
            EXPECT_EQ(RegQuery(c.cls + "\\DefaultIcon"), "\"" + program + "\",1");
            EXPECT_EQ(RegQuery(c.cls + "\\shell\\open\\command"), "\"" + program + "\" \"%1\"");
        }
        EXPECT_FALSE(RegQuery("shell\\open\\command").has_value());
    }
}

// The shell starts the registered command with the map's quoted path; the loader looks the
// map up in the table beside it and shows it in its list.
TEST_F(ShellOpenTest, OpeningAMapFromTheShellShowsItInTheLoadersList) {
    TempFolder temp;
    const std::string folder = temp.Path() + "loader here\\";
    const std::string program = folder + "kelvorn_loader.exe";
    const std::string map = temp.Path() + "my maps\\Duriel.ds1";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((temp.Path() + "my maps").c_str(), nullptr));
    const std::string built = StandinPath().substr(0, StandinPath().size() - 11);
    ASSERT_TRUE(CopyFileA((built + "kelvorn_loader.exe").c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(WriteBytes(folder + "kelvorn_loader.ini",
                           "[PARAMS]\r\nduriel.ds1\tDuriel's Lair\tdata\\duriel\t46\t481\r\n"));
    ASSERT_TRUE(WriteBytes(map, "map"));
    ASSERT_EQ(RegisterMapFileType(sys::SystemRegistry(), program), Registration::MachineWide);

    const std::wstring wideMap = sys::win32::Widen(map);
    SHELLEXECUTEINFOW run{};
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    run.lpVerb = L"open";
    run.lpFile = wideMap.c_str();
    run.nShow = SW_SHOWNORMAL;
    ASSERT_TRUE(ShellExecuteExW(&run)) << GetLastError();
    ASSERT_NE(run.hProcess, nullptr);
    const DWORD processId = GetProcessId(run.hProcess);
    HWND window = MainWindowOf(processId);
    Strings rows;
    if (window) {
        rows = RemoteRows(GetDlgItem(window, IDC_FILE_LIST), processId);
        if (const char* hold = std::getenv("KELVORN_E2E_HOLD_MS")) Sleep(std::atoi(hold));
        PostMessageW(window, WM_COMMAND, ID_FILE_EXIT, 0);
    }
    if (WaitForSingleObject(run.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(run.hProcess, 1);
    CloseHandle(run.hProcess);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(rows, Strings{map + "|Duriel's Lair|data\\duriel|46|481"});
}

}  // namespace
