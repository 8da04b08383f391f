// The loader end to end with real windows, console and pipe and the stand-in editor, in this
// process and as the real kelvorn_loader.exe; what comes back is read from the windows.
#include "tests/win32/windows_helpers.h"
// Needs windows.h before them.
#include <commctrl.h>
#include <dlgs.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "app/loader_app.h"
#include "app/loader_dlg.h"
#include "app/shell_registration.h"
#include "launch/editor_runner.h"
#include "res/resource.h"
#include "sys/fs.h"
#include "sys/win32/wide.h"
#include "tests/common/helpers.h"
#include "ui/win32/unusable_paths.h"
#include "ui/win32/util.h"

using namespace testing_win32;
using sys::win32::Widen;
using ui::win32::kUnusablePathMessage, ui::win32::kUnusablePathsMessage, ui::win32::WindowOf;

namespace {

using WStrings = std::vector<std::wstring>;

const std::string kEte = "\xe9t\xe9 \x80.ds1";       // "été €.ds1" in Windows-1252
const std::string kBateau = "b\xe2teau.ds1";         // "bâteau.ds1"
const std::wstring kJapanese = L"\u65e5\u672c.ds1";  // no letter of it in Windows-1252
const std::string kFiller = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\r\n";

// The user: each box this thread activates over another is seen, a question agreed to; in
// a file dialog the lines of `typed` are typed, OK after each; one left open is cancelled.
struct User {
    User() { t_user = this; }
    ~User() { UnhookWindowsHookEx(hook); }
    static inline thread_local User* t_user = nullptr;

    HHOOK hook = SetWindowsHookExW(WH_CBT, &Activating, nullptr, GetCurrentThreadId());
    std::wstring typed;
    HWND fileDialogOwner = nullptr;
    WStrings seen;

    static LRESULT CALLBACK Activating(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE) t_user->Sees(reinterpret_cast<HWND>(wParam));
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    void Sees(HWND window) {
        const HWND owner = GetWindow(window, GW_OWNER);
        if (!owner || ui::win32::ClassName(window) != "#32770") return;
        if (GetDlgItem(window, cmb13)) {  // a file dialog, again after each question it asks
            fileDialogOwner = owner;
            SetTimer(window, 1, 500, Type);
            return;
        }
        // "caption|text|owner's caption|buttons|icon", as the user sees it.
        std::wstring buttons;
        for (auto [id, name] : {std::pair{IDOK, L"Ok"}, {IDYES, L"Yes"}, {IDNO, L"No"}})
            if (GetDlgItem(window, id)) buttons += name;
        seen.push_back(Text(window) + L"|" + Text(GetDlgItem(window, 0xFFFF)) + L"|" + Text(owner) +
                       L"|" + buttons + L"|" +
                       (SendDlgItemMessageW(window, 0x0440, STM_GETICON, 0, 0) ? L"icon" : L"-"));
        if (GetDlgItem(window, IDYES)) PostMessageW(window, WM_COMMAND, IDYES, 0);
    }
    // A line each tick; a tick after the last finds the dialog open only if it failed.
    static void CALLBACK Type(HWND window, UINT, UINT_PTR, DWORD) {
        std::wstring& typed = t_user->typed;
        if (typed.empty()) return (void)PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        const std::size_t end = typed.find(L'\n');
        SetDlgItemTextW(window, cmb13, typed.substr(0, end).c_str());
        typed.erase(0, end == std::wstring::npos ? end : end + 1);
        PostMessageW(window, WM_COMMAND, IDOK, 0);
    }
};

// Drops `paths` on the window as the shell does: a DROPFILES block of wide paths.
void DropWide(HWND window, const WStrings& paths) {
    std::wstring list;
    for (const std::wstring& path : paths) list += path + L'\0';
    list += L'\0';
    auto* drop = static_cast<DROPFILES*>(
        GlobalAlloc(GPTR, sizeof(DROPFILES) + list.size() * sizeof(wchar_t)));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(drop + 1, list.data(), list.size() * sizeof(wchar_t));
    SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
}

// Waits up to 60 s for a visible window of `caption` other than `previous`.
HWND Await(const wchar_t* caption, HWND previous = nullptr) {
    for (int tick = 0; tick < 600; ++tick) {
        for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32770", caption));)
            if (w != previous && IsWindowVisible(w)) return w;
        Sleep(100);
    }
    return nullptr;
}

// Starts `file` as the shell does, in `folder`; its process, or none.
HANDLE Launch(const std::wstring& file, const std::wstring& params, const std::wstring& folder) {
    SHELLEXECUTEINFOW run{};
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NO_CONSOLE;
    run.lpFile = file.c_str();
    run.lpParameters = params.empty() ? nullptr : params.c_str();
    run.lpDirectory = folder.c_str();
    run.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&run) ? run.hProcess : nullptr;
}

// Whether `process` ends within 20 s; it is ended anyway and its handle closed.
bool Ends(HANDLE process) {
    const bool ended = WaitForSingleObject(process, 20000) == WAIT_OBJECT_0;
    TerminateProcess(process, 1);
    CloseHandle(process);
    return ended;
}

// A program folder with its table beside an editor folder with the stand-in and the maps.
class RunE2ETest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const std::string& folder : {program, editor, maps, editor + "batches\\"})
            ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
        ASSERT_TRUE(CopyFileA(BuiltProgram("kelvorn.exe").c_str(), (editor + "kelvorn.exe").c_str(),
                              FALSE));
        // The maps, and a folder of some that the code page cannot hold.
        std::filesystem::create_directory(std::filesystem::path(Widen(maps) + L"\u65e5"));
        for (const std::wstring& map : WStrings{L"a.ds1", Widen(kEte), Widen(kBateau), kJapanese,
                                                L"\u65e5\\a.ds1", L"\u65e5\\b.ds1"})
            std::ofstream(std::filesystem::path(Widen(maps) + map)) << "map";
        // The longest level name is 127 bytes of the code page, not 254 of UTF-8.
        m_temp.Write("loader \x80\\kelvorn_loader.ini",
                     "kelvornpath = " + editor +
                         "\r\nkelvornname = kelvorn.exe\r\n\r\n[PARAMS]\r\n"
                         "a.ds1\tAct 1 - Town\tdata\\act1\t1\t2\r\n" +
                         kEte + "\tFor\xeat \xe0 l'\xc9t\xe9\tdata\\for\xeat\t6\t7\r\n" + kBateau +
                         "\t" + std::string(127, '\xe9') + "\tdata\\mer\t8\t9\r\n");
        const std::string exe = program + "kelvorn_loader.exe";
        app.m_programFilePath = [exe] { return std::optional<std::string>(exe); };
    }
    // A console's host may hold a folder for a moment after a run.
    void TearDown() override {
        EXPECT_TRUE(script.Finished()) << test::Errors(script);
        std::error_code ec;
        for (int attempt = 0; attempt < 30 && std::filesystem::exists(root, ec); ++attempt) {
            std::filesystem::remove_all(root, ec);
            Sleep(100);
        }
        EXPECT_FALSE(std::filesystem::exists(root, ec)) << root;
        FailingStandin(false);
    }
    // The stand-in fails after 3 MB and a child holding the pipe; stderr.txt left as it was.
    static void FailingStandin(bool on) {
        const char* const settings[][2] = {{"EXIT", "-1"},
                                           {"LINGER_MS", "60000"},
                                           {"PRINT", "last words\\r\\n"},
                                           {"EXTRA_BYTES", "3000005"},
                                           {"WRITE_STDERR", "no"}};
        for (auto [key, value] : settings)
            SetEnvironmentVariableA(("KELVORN_STANDIN_" + std::string(key)).c_str(),
                                    on ? value : nullptr);
    }

    // `command` and `typed` into its real file dialog, owned by the window, folder kept.
    void Drive(ui::Dialog& d, int command, const std::wstring& typed) {
        script.ShowRealFileDialog();
        user.typed = typed;
        user.fileDialogOwner = nullptr;
        d.ChooseMenu(command);
        EXPECT_EQ(user.fileDialogOwner, WindowOf(&d)) << command;
        EXPECT_EQ(*sys::CurrentDirectory(MAX_PATH) + "\\", program) << command;
    }
    // Starts the program as from the desktop; it shows its window until a step ends it.
    void Start() {
        test::CurrentFolderScope keep(root);
        ConsoleScope console;
        app.InitInstance("");
    }

    test::TempFolder m_temp;
    const std::string root = m_temp.Path() + "\\", program = root + "loader \x80\\";
    const std::string editor = root + "editor\\", maps = editor + "maps \xe9\\";
    ui::Script script;
    CLoaderApp app;
    User user;
};

// About; a failing editor writing 3 MB, its child holding the pipe; accented maps opened and
// dropped, those the code page cannot hold refused by name; a batch saved over an older one.
TEST_F(RunE2ETest, ASessionOfRunsAndBatchFilesAsAUserSeesIt) {
    HANDLE heldStderr = INVALID_HANDLE_VALUE;
    std::string output;
    m_temp.Write("editor\\batches\\list.bat",  // as an older Make Batch wrote it
                 "@echo off\r\ncd \"C:\\\"\r\n\"k.exe\" \"a.ds1\" 1 2 > \"a.txt\"\r\n"
                 "If ERRORLEVEL 0 goto DONE\r\npause\r\n:DONE\r\n");
    test::OnShow<CLoaderDlg>(script, IDD_LOADER, [&](CLoaderDlg& d) {
        // The window's icons, big and small; its system menu's About item opens About.
        const LRESULT big = SendMessageW(WindowOf(&d), WM_GETICON, ICON_BIG, 0);
        const LRESULT small = SendMessageW(WindowOf(&d), WM_GETICON, ICON_SMALL, 0);
        EXPECT_TRUE(big && small && small != big);
        EXPECT_EQ(SendMessageW(WindowOf(&d), WM_QUERYDRAGICON, 0, 0), big);
        SendMessageW(WindowOf(&d), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        d.DropFiles({maps + "a.ds1"});
        PostQuitMessage(0);  // what one showing leaves queued must not reach the next
        // The editor fails; its stderr.txt is still open for writing elsewhere.
        FailingStandin(true);
        m_temp.Write("editor\\stderr.txt", "it went wrong\r\n");
        heldStderr = CreateFileA((editor + "stderr.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
        d.ChooseMenu(ID_FILE_RUN);
    });
    script.OnDialog(IDD_ABOUTBOX, [](ui::Dialog& about) { about.PressEnter(); });
    test::OnShow<CLoaderDlg>(script, IDD_LOADER, [&](CLoaderDlg& d) {
        output = d.m_strOutput;
        EXPECT_TRUE(d.Window().GetItemText(IDC_OUTPUT) == output);  // all of it in the pane
        CloseHandle(heldStderr);
        Drive(d, ID_FILE_ADD, Widen(maps) + L"\n\"" + Widen(kEte) + L"\" \"" + kJapanese + L"\"");
        Drive(d, ID_FILE_ADD, Widen(maps) + L"\u65e5\\a.ds1");
        Drive(d, ID_FILE_ADD, Widen(maps) + L"\u65e5\n\"a.ds1\" \"b.ds1\"");
        // "ā" has a best fit, "a": it must not name a.ds1.
        DropWide(WindowOf(&d),
                 {Widen(maps) + kJapanese, Widen(maps) + L"\u0101.ds1", Widen(maps + kBateau)});
        Drive(d, ID_FILE_MAKE_BATCH, Widen(editor + "batches\\list.bat"));
        d.ChooseMenu(ID_FILE_REMOVE);  // with no row selected
    });
    Start();

    // The loader did not wait for the editor's child, which still holds the pipe.
    const std::size_t child = output.find("grandchild: ");
    ASSERT_NE(child, std::string::npos) << output.substr(0, 2000);
    HANDLE grandchild = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE,
                                    std::strtoul(output.c_str() + child + 12, nullptr, 10));
    EXPECT_EQ(WaitForSingleObject(grandchild, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    TerminateProcess(grandchild, 0);
    WaitForSingleObject(grandchild, 5000);
    CloseHandle(grandchild);

    // Every byte in order, stderr.txt said to be an earlier run's, the exit code both ways.
    const std::string cmd = "\"kelvorn.exe\" \"maps \xe9\\a.ds1\" 1 2";
    const std::string head = "kelvorn Loader: starting editor using command line " + cmd +
                             "\r\n\r\nkelvorn stand-in editor\r\ncommand line: " + cmd +
                             "\r\nargument 0: kelvorn.exe\r\nargument 1: maps \xe9\\a.ds1\r\n"
                             "argument 2: 1\r\nargument 3: 2\r\ncurrent directory: " +
                             editor.substr(0, editor.size() - 1) +
                             "\r\nshape: one map\r\nmap: maps \xe9\\a.ds1 (found)\r\n"
                             "lvltype id: 1\r\nlvlprest def: 2\r\nlast words\r\n";
    ASSERT_EQ(output.substr(0, head.size()), head);
    std::string filler;
    for (std::size_t i = 0; i < 3000005; ++i) filler += kFiller[i % kFiller.size()];
    EXPECT_TRUE(output.substr(head.size(), child - head.size()) == filler) << child - head.size();
    EXPECT_EQ(output.substr(output.find("\r\n", child) + 2),
              "\r\nEnd of Standard Output.\r\n\r\nFrom stderr.txt:\r\n\r\n" +
                  std::string(kEarlierStderrLine) +
                  "it went wrong\r\n\r\nEnd of stderr.txt\r\n\r\nEditor's process Exited with "
                  "code -1 (0xffffffff)\r\n");

    // About; the refusals in the paths' own letters; the question before replacing; an error.
    const std::wstring error = L"|kelvorn Loader|Ok|icon", in = Widen(maps);
    const std::wstring one = L"ERROR|" + std::wstring(kUnusablePathMessage) + L"\n\n" + in;
    const std::wstring several = L"ERROR|" + std::wstring(kUnusablePathsMessage) + L"\n\n" + in;
    ASSERT_EQ(user.seen.size(), 7u) << testing::PrintToString(user.seen);
    user.seen[5].erase(0, user.seen[5].find(L"|Save As|"));  // the question in Wine's words
    EXPECT_EQ(user.seen, (WStrings{L"About kelvorn Loader||kelvorn Loader|Ok|-",
                                   one + kJapanese + error, one + L"\u65e5\\a.ds1" + error,
                                   several + L"\u65e5\\a.ds1\n" + in + L"\u65e5\\b.ds1" + error,
                                   several + kJapanese + L"\n" + in + L"\u0101.ds1" + error,
                                   L"|Save As|YesNo|icon",
                                   L"ERROR|" + Widen(kNoItemsSelectedMessage) + error}));

    // List and debug file named from the editor folder; the maps in order, code page bytes.
    EXPECT_EQ(m_temp.Read("editor\\batches\\list.bat"),
              "@echo off\r\ncd /d \"" + editor +
                  "\"\r\n\"kelvorn.exe\" \"batches\\list.ini\" > \"batches\\list_debug.txt\"\r\n"
                  "If ERRORLEVEL 0 goto DONE\r\npause\r\n:DONE\r\n");
    EXPECT_EQ(m_temp.Read("editor\\batches\\list.ini"), "1 2 maps \xe9\\a.ds1\r\n6 7 maps \xe9\\" +
                                                            kEte + "\r\n8 9 maps \xe9\\" + kBateau +
                                                            "\r\n");
}

// Wine's own console allocations keep a few handles; beyond those, none is left behind.
TEST_F(RunE2ETest, ManyRunsInARowGiveBackEveryHandle) {
    const int kWarmUp = 2, kRuns = 12;
    long afterWarmUp = -1, atEnd = -1;
    for (int i = 0; i <= kWarmUp + kRuns; ++i)
        test::OnShow<CLoaderDlg>(script, IDD_LOADER, [&, i](CLoaderDlg& d) {
            if (i == 0) d.DropFiles({maps + "a.ds1"});
            if (i == kWarmUp) afterWarmUp = HandleCount();
            if (i < kWarmUp + kRuns) return d.ChooseMenu(ID_FILE_RUN);
            atEnd = HandleCount();
        });
    Start();
    EXPECT_TRUE(script.MessageBoxes().empty()) << test::BoxTexts(script).front();
    EXPECT_GT(afterWarmUp, 0) << "no handle counted: the comparison would prove nothing";
    EXPECT_EQ(atEnd - afterWarmUp, ConsoleHandlesKept(kRuns));
}

// Started by cmd, holding its console, and by the shell opening a registered map, with code
// page letters in its path; a path the code page cannot hold refused by name.
TEST_F(RunE2ETest, StartedFromCmdOrTheShellItRunsTheEditorAndShowsItsReport) {
    ASSERT_TRUE(CopyFileA(BuiltProgram("kelvorn_loader.exe").c_str(),
                          (program + "kelvorn_loader.exe").c_str(), FALSE));
    ASSERT_EQ(RegisterMapFileType(sys::SystemRegistry(), program + "kelvorn_loader.exe"),
              Registration::MachineWide);

    const std::wstring folder = Widen(program), map = Widen(maps + "a.ds1");
    const std::wstring japanese = L"C:\\" + kJapanese,
                       viaCmd = L"/c kelvorn_loader.exe \"" + map + L"\" \"" + japanese + L"\"";
    for (const bool openMap : {false, true}) {
        SCOPED_TRACE(openMap ? "a map opened in the shell" : "started by cmd");
        HANDLE shell = Launch(openMap ? map : L"cmd.exe", openMap ? L"" : viaCmd, folder);
        ASSERT_NE(shell, nullptr) << GetLastError();
        if (!openMap) {  // the path it cannot hold is refused before its window shows
            const HWND box = Await(L"ERROR");
            EXPECT_EQ(Text(GetDlgItem(box, 0xFFFF)), kUnusablePathMessage + (L"\n\n" + japanese));
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        const HWND first = Await(L"kelvorn Loader");
        ASSERT_NE(first, nullptr) << "the loader's window never showed";
        DWORD loaderId = 0;
        GetWindowThreadProcessId(first, &loaderId);
        HANDLE loader = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, loaderId);

        PostMessageW(first, WM_COMMAND, MAKEWPARAM(ID_FILE_RUN, 0), 0);
        const HWND back = Await(L"kelvorn Loader", first);
        const std::wstring pane = back ? Text(GetDlgItem(back, IDC_OUTPUT)) : L"";
        if (back) PostMessageW(back, WM_COMMAND, MAKEWPARAM(ID_FILE_EXIT, 0), 0);
        EXPECT_NE(back, nullptr) << "the loader's window never came back";
        EXPECT_NE(pane.find(L"\nmap: maps \u00e9\\a.ds1 (found)\r\n"), std::wstring::npos);
        EXPECT_TRUE(pane.ends_with(L"\r\nEditor's process Exited with code 0 (0x0)\r\n"))
            << pane.c_str();
        EXPECT_TRUE(Ends(loader));  // and cmd with it
        EXPECT_TRUE(Ends(shell));
    }
    for (const char* key : {".ds1", "DiabloIIMap"}) RegDeleteTreeA(HKEY_CLASSES_ROOT, key);
}

// The real program, an old editor copy beside it. A map list it cannot write (read-only, a
// folder in its place) refuses Run in a box over the window; nothing starts. Then the editor
// folder's editor runs, and closing its console or Ctrl+C ends the editor only: the window
// comes back with its list. Wine sends no Ctrl+Break: the stand-in says so.
TEST_F(RunE2ETest, TheRealProgramRefusesAStaleListAndOutlivesTheEditorsConsole) {
    for (const std::string name : {"kelvorn_loader.exe", "kelvorn.exe"})
        ASSERT_TRUE(CopyFileA(BuiltProgram(name).c_str(), (program + name).c_str(), FALSE));
    m_temp.Write("loader \x80\\kelvorn_standin.cfg", "print = the decoy\\r\\n");
    const std::string list = m_temp.Write("loader \x80\\temp.ini", "1 2 old.ds1\r\n");
    ASSERT_TRUE(SetFileAttributesA(list.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::wstring map = L"\"" + Widen(maps + "a.ds1") + L"\"";
    HANDLE loader =
        Launch(Widen(program) + L"kelvorn_loader.exe", map + L" " + map, Widen(program));
    HWND window = Await(L"kelvorn Loader");
    ASSERT_NE(window, nullptr) << "the loader's window never showed";
    for (const bool folder : {false, true}) {
        if (folder) {
            SetFileAttributesA(list.c_str(), FILE_ATTRIBUTE_NORMAL);
            ASSERT_TRUE(DeleteFileA(list.c_str()) && CreateDirectoryA(list.c_str(), nullptr));
        }
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(ID_FILE_RUN, 0), 0);
        const HWND box = Await(L"ERROR");
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(GetWindow(box, GW_OWNER), window);
        EXPECT_EQ(Text(GetDlgItem(box, 0xFFFF)), L"Unable to Open " + Widen(list) + L"!");
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        for (int tick = 0; tick < 100 && IsWindow(box); ++tick) Sleep(50);
        EXPECT_EQ(m_temp.Read("loader \x80\\temp.ini"), folder ? "" : "1 2 old.ds1\r\n");
    }
    EXPECT_FALSE(std::filesystem::exists(Widen(editor + "stderr.txt")));  // never started
    ASSERT_TRUE(RemoveDirectoryA(list.c_str()));
    for (const std::string event : {"", "close", "ctrl_c", "ctrl_break"}) {
        SCOPED_TRACE(event);
        m_temp.Write("editor\\kelvorn_standin.cfg",
                     "print = the configured editor\\r\\n" +
                         (event.empty() ? "" : "\r\nconsole_event = " + event));
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(ID_FILE_RUN, 0), 0);
        const HWND back = Await(L"kelvorn Loader", window);
        ASSERT_NE(back, nullptr) << "the loader's window never came back";
        window = back;
        const std::wstring pane = Text(GetDlgItem(window, IDC_OUTPUT));
        EXPECT_EQ(SendDlgItemMessageW(window, IDC_FILE_LIST, LVM_GETITEMCOUNT, 0, 0), 2);
        EXPECT_NE(pane.find(L"\r\nthe configured editor\r\n"), std::wstring::npos) << pane.c_str();
        EXPECT_EQ(pane.find(L"the decoy"), std::wstring::npos);
        if (event.empty()) continue;
        EXPECT_NE(pane.find(L"\r\nconsole event: " + Widen(event) + L"\r\n"), std::wstring::npos);
        EXPECT_EQ(pane.find(L"still running"), std::wstring::npos) << pane.c_str();
        EXPECT_EQ(pane.find(L"not sent") == std::wstring::npos, event != "ctrl_break");
    }
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(ID_FILE_EXIT, 0), 0);
    EXPECT_TRUE(Ends(loader));
}

}  // namespace
