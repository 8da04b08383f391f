// The loader end to end with real windows, a real console and pipe, and the stand-in editor
// as the editor: the main window is scripted in process, Run starts kelvorn.exe through the
// program's runner, and what comes back is read from the controls as a user reads it.
#include "tests/win32/windows_helpers.h"
// Needs windows.h before them.
#include <dlgs.h>
#include <shlobj.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "app/loader_app.h"
#include "app/loader_dlg.h"
#include "launch/editor_runner.h"
#include "res/resource.h"
#include "sys/fs.h"
#include "sys/win32/wide.h"
#include "tests/common/helpers.h"
#include "ui/win32/unusable_paths.h"
#include "ui/win32/util.h"

using namespace testing_win32;
using sys::win32::Widen;
using test::Strings;
using ui::win32::WindowOf;

namespace {

using WStrings = std::vector<std::wstring>;

const std::string kEte = "\xe9t\xe9 \x80.ds1";       // "été €.ds1" in Windows-1252
const std::string kBateau = "b\xe2teau.ds1";         // "bâteau.ds1"
const std::wstring kJapanese = L"\u65e5\u672c.ds1";  // no letter of it in Windows-1252
const std::string kFiller = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\r\n";

// The user at the screen, through the activation hook: each window that comes up over
// another (a message box, About) is noted as seen. While a command is driven, the first such
// window is its common file dialog: the lines of `typed`, a folder and then names in it, are
// typed into its file-name box, OK pressed after each, as a user would; with nothing to type
// it is cancelled. Boxes that come meanwhile are agreed to.
struct User {
    User() { t_user = this; }
    ~User() { t_user = nullptr; }
    static inline thread_local User* t_user = nullptr;

    bool driving = false;
    std::wstring typed;
    HWND fileDialog = nullptr, fileDialogOwner = nullptr;
    WStrings seen;
    ActivationHook hook{[this](HWND window) {
        const HWND owner = GetWindow(window, GW_OWNER);
        if (!owner || window == fileDialog || ui::win32::ClassName(window) != "#32770") return;
        if (driving && !fileDialog) {
            fileDialog = window;
            fileDialogOwner = owner;
            SetTimer(window, 71, 150, Step);
            return;
        }
        seen.push_back(Seen(window));
        if (driving) Press(window, GetDlgItem(window, IDYES) ? IDYES : IDOK);
    }};

    // "caption|text|owner's caption|buttons|icon", as the user sees it.
    static std::wstring Seen(HWND box) {
        std::wstring buttons;
        for (auto [id, name] : {std::pair{IDOK, L"Ok"}, {IDYES, L"Yes"}, {IDNO, L"No"}})
            if (GetDlgItem(box, id)) buttons += name;
        const HWND icon = GetDlgItem(box, 0x0440);
        return Text(box) + L"|" + Text(GetDlgItem(box, 0xFFFF)) + L"|" +
               Text(GetWindow(box, GW_OWNER)) + L"|" + buttons + L"|" +
               (icon && SendMessageW(icon, STM_GETICON, 0, 0) ? L"icon" : L"-");
    }
    static void Press(HWND window, int id) {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
    }
    static void CALLBACK Step(HWND window, UINT, UINT_PTR id, DWORD) {
        KillTimer(window, id);
        if (!t_user || t_user->typed.empty()) return Press(window, IDCANCEL);
        const std::size_t end = t_user->typed.find(L'\n');
        HWND name = GetDlgItem(window, cmb13);
        SetWindowTextW(name ? name : GetDlgItem(window, edt1),
                       t_user->typed.substr(0, end).c_str());
        t_user->typed.erase(0, end == std::wstring::npos ? end : end + 1);
        Press(window, IDOK);
        // The next line soon; after the last, a watchdog: never wait for ever.
        SetTimer(window, 71 + t_user->typed.empty(), t_user->typed.empty() ? 10000 : 500, Step);
    }
};

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

std::string Tail(const std::string& stderrText, const std::string& exitCode) {
    return "\r\nEnd of Standard Output.\r\n\r\nFrom stderr.txt:\r\n\r\n" + stderrText +
           "\r\nEnd of stderr.txt\r\n\r\nEditor's process Exited with code " + exitCode + "\r\n";
}

// A program folder with its kelvorn_loader.ini and an editor folder holding a copy of the
// stand-in editor and the maps, side by side in a fresh temporary folder.
class RunE2ETest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const std::string& folder :
             {program, root + "other\\", editor, maps, editor + "batches\\"})
            ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
        ASSERT_TRUE(CopyBuilt("kelvorn.exe", editor));
        for (const std::string& map : Strings{"editor\\maps\\a.ds1", "editor\\maps\\" + kEte,
                                              "editor\\maps\\" + kBateau, "other\\b.ds1"})
            m_temp.Write(map, "map");
        std::ofstream(std::filesystem::path(Widen(maps) + kJapanese)) << "map";
        // The longest level name is 127 bytes of the code page, not 254 of UTF-8.
        m_temp.Write("loader\\kelvorn_loader.ini",
                     "kelvornpath = " + editor +
                         "\r\nkelvornname = kelvorn.exe\r\n\r\n[PARAMS]\r\n"
                         "a.ds1\tAct 1 - Town\tdata\\act1\t1\t2\r\n"
                         "b.ds1\tAct 2 - Desert\tdata\\act2\t3\t4294967295\r\n" +
                         kEte + "\tFor\xeat \xe0 l'\xc9t\xe9\tdata\\for\xeat\t6\t7\r\n" + kBateau +
                         "\t" + std::string(127, '\xe9') + "\tdata\\mer\t8\t9\r\n");
        const std::string exe = program + "kelvorn_loader.exe";
        app.m_programFilePath = [exe] { return std::optional<std::string>(exe); };
    }
    void TearDown() override {
        FailingStandin(false);
        EXPECT_TRUE(RemoveWhenFreed(root)) << root;
    }
    // The stand-in editor, inheriting our environment, fails after 3 MB of output and a
    // child of its own that holds the pipe; it leaves stderr.txt as it was.
    static void FailingStandin(bool on) {
        for (auto [key, value] : {std::pair{"EXIT", "-1"},
                                  {"LINGER_MS", "60000"},
                                  {"PRINT", "last words\\r\\n"},
                                  {"EXTRA_BYTES", "3000005"},
                                  {"WRITE_STDERR", "no"}})
            SetEnvironmentVariableA(("KELVORN_STANDIN_" + std::string(key)).c_str(),
                                    on ? value : nullptr);
    }
    std::string BatchText(const std::string& line3) const {
        return "@echo off\r\ncd \"" + editor + "\"\r\n" + line3 +
               "\r\nIf ERRORLEVEL 0 goto DONE\r\npause\r\n:DONE\r\n";
    }

    // Queues `step` for the next showing of the main window.
    void Showing(std::function<void(CLoaderDlg&)> step) {
        script.OnDialog(IDD_LOADER, [step](ui::Dialog& d) { step(static_cast<CLoaderDlg&>(d)); });
    }
    // Chooses `command` and types `typed` into the real file dialog it opens, which must be
    // owned by the window and leave the program folder current.
    void Drive(ui::Dialog& d, int command, const std::wstring& typed) {
        script.ShowRealFileDialog();
        user.driving = true;
        user.typed = typed;
        user.fileDialog = nullptr;
        d.ChooseMenu(command);
        user.driving = false;
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
    const std::string root = m_temp.Path() + "\\", program = root + "loader\\";
    const std::string editor = root + "editor\\", maps = editor + "maps\\";
    ui::Script script;
    CLoaderApp app;
    User user;
};

// One session: About from the system menu; a failing editor that writes 3 MB and leaves a
// child holding the pipe; accented maps from the real Open dialog and the shell's drop, run
// through temp.ini, with the paths the code page cannot hold refused by name; batch files
// made through the real Save dialog and run by cmd; an error. Each time the window comes
// back, and what comes up over it is seen as the user sees it.
TEST_F(RunE2ETest, ASessionOfRunsAndBatchFilesAsAUserSeesIt) {
    const std::string a = maps + "a.ds1", b = root + "other\\b.ds1";
    Strings panes, folders;  // at each showing after a run
    auto see = [&](CLoaderDlg& d) {
        panes.push_back(d.Window().GetItemText(IDC_OUTPUT));
        folders.push_back(*sys::CurrentDirectory(MAX_PATH) + "\\");
    };
    HANDLE heldStderr = INVALID_HANDLE_VALUE;
    std::string output;
    m_temp.Write("editor\\batches\\list.bat", "old");
    Showing([&](CLoaderDlg& d) {
        // The window's icons, big and small; its system menu's About item opens About.
        const LRESULT big = SendMessageW(WindowOf(&d), WM_GETICON, ICON_BIG, 0);
        const LRESULT small = SendMessageW(WindowOf(&d), WM_GETICON, ICON_SMALL, 0);
        EXPECT_TRUE(big && small && small != big);
        EXPECT_EQ(SendMessageW(WindowOf(&d), WM_QUERYDRAGICON, 0, 0), big);
        SendMessageW(WindowOf(&d), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        d.DropFiles({a});
        PostQuitMessage(0);  // what one showing leaves queued must not reach the next
        // The editor fails; its stderr.txt is still open for writing elsewhere.
        FailingStandin(true);
        heldStderr = CreateFileA((editor + "stderr.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                 nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(heldStderr, "it went wrong\r\n", 15, &written, nullptr);
        d.ChooseMenu(ID_FILE_RUN);
    });
    script.OnDialog(IDD_ABOUTBOX, [](ui::Dialog& about) {
        EXPECT_FALSE(IsWindowEnabled(GetWindow(WindowOf(&about), GW_OWNER)));
        about.PressEnter();
    });
    Showing([&](CLoaderDlg& d) {
        see(d);
        output = d.m_strOutput;
        CloseHandle(heldStderr);
        FailingStandin(false);
        Drive(d, ID_FILE_MAKE_BATCH, Widen(root + "other\\one.bat"));
        Drive(d, ID_FILE_ADD, Widen(maps) + L"\n\"" + Widen(kEte) + L"\" \"" + kJapanese + L"\"");
        // "ā" has a best fit, "a": it must not name a.ds1.
        DropWide(WindowOf(&d), {Widen(maps) + kJapanese, Widen(maps) + L"\u0101.ds1",
                                Widen(maps + kBateau), Widen(b)});
        d.ChooseMenu(ID_FILE_RUN);
    });
    Showing([&](CLoaderDlg& d) {
        see(d);
        Drive(d, ID_FILE_MAKE_BATCH, Widen(editor + "batches\\list.bat"));
        d.ChooseMenu(ID_FILE_REMOVE);  // with no row selected
        d.PressEscape();
    });
    Start();
    ASSERT_EQ(panes.size(), 2u) << test::Errors(script);

    // The loader did not wait for the failing editor's child: it still holds the pipe, and
    // the editor folder, which it must let go of.
    const std::size_t child = output.find("grandchild: ");
    ASSERT_NE(child, std::string::npos) << output.substr(0, 2000);
    HANDLE grandchild = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE,
                                    std::strtoul(output.c_str() + child + 12, nullptr, 10));
    ASSERT_NE(grandchild, nullptr);
    EXPECT_EQ(WaitForSingleObject(grandchild, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    TerminateProcess(grandchild, 0);
    WaitForSingleObject(grandchild, 5000);
    CloseHandle(grandchild);

    // Every byte of the failing editor's output, in order, and the exit code as signed and
    // unsigned, all of it in the pane; the window back in the program folder.
    const std::string cmd = "\"kelvorn.exe\" \"maps\\a.ds1\" 1 2";
    const std::string head = "kelvorn Loader: starting editor using command line " + cmd +
                             "\r\n\r\nkelvorn stand-in editor\r\ncommand line: " + cmd +
                             "\r\nargument 0: kelvorn.exe\r\nargument 1: maps\\a.ds1\r\n"
                             "argument 2: 1\r\nargument 3: 2\r\ncurrent directory: " +
                             editor.substr(0, editor.size() - 1) +
                             "\r\nshape: one map\r\nmap: maps\\a.ds1 (found)\r\nlvltype id: 1\r\n"
                             "lvlprest def: 2\r\nlast words\r\n";
    ASSERT_EQ(output.substr(0, head.size()), head);
    const std::string filler = output.substr(head.size(), child - head.size());
    ASSERT_EQ(filler.size(), 3000005u);
    for (std::size_t at = 0; at < filler.size(); at += kFiller.size())
        ASSERT_EQ(filler.compare(at, kFiller.size(), kFiller, 0, filler.size() - at), 0) << at;
    EXPECT_EQ(output.substr(output.find("\r\n", child) + 2),
              Tail("it went wrong\r\n", "-1 (0xffffffff)"));
    EXPECT_TRUE(panes[0] == output);
    EXPECT_EQ(folders, Strings(2, program));

    // Accented names found in the table, in the order they came, written to temp.ini and the
    // batch's list and read by the editor as the code page's bytes.
    const std::string list = "1 2 maps\\a.ds1\r\n6 7 maps\\" + kEte + "\r\n8 9 maps\\" + kBateau +
                             "\r\n3 4294967295 " + b + "\r\n";
    EXPECT_EQ(m_temp.Read("loader\\temp.ini"), list);
    EXPECT_NE(panes[1].find("\nmap: maps\\" + kEte + " (found)\r\n"), std::string::npos);
    EXPECT_TRUE(panes[1].ends_with(Tail("stand-in editor: no errors\r\n", "0 (0x0)")));

    // What came up over the window: About; the refusals, with the paths' own letters; the
    // question before the old batch file was replaced; an error.
    const std::wstring error = L"|kelvorn Loader|Ok|icon", wideMaps = Widen(maps);
    ASSERT_EQ(user.seen.size(), 5u) << testing::PrintToString(user.seen);
    EXPECT_EQ(user.seen[0], L"About kelvorn Loader||kelvorn Loader|Ok|-");
    EXPECT_EQ(user.seen[1], L"ERROR|" + std::wstring(ui::win32::kUnusablePathMessage) + L"\n\n" +
                                wideMaps + kJapanese + error);
    EXPECT_EQ(user.seen[2], L"ERROR|" + std::wstring(ui::win32::kUnusablePathsMessage) + L"\n\n" +
                                wideMaps + kJapanese + L"\n" + wideMaps + L"\u0101.ds1" + error);
    EXPECT_TRUE(user.seen[3].ends_with(L"|Save As|YesNo|icon")) << user.seen[3];
    EXPECT_EQ(user.seen[4], L"ERROR|" + Widen(kNoItemsSelectedMessage) + error);
    EXPECT_TRUE(script.Finished()) << test::Errors(script);

    // The batches, the debug file named from the editor folder when inside it.
    EXPECT_EQ(m_temp.Read("other\\one.bat"),
              BatchText(cmd + " > \"" + root + "other\\one_debug.txt\""));
    EXPECT_EQ(m_temp.Read("editor\\batches\\list.bat"),
              BatchText("\"kelvorn.exe\" \"batches\\list.ini\" > \"batches\\list_debug.txt\""));
    EXPECT_EQ(m_temp.Read("editor\\batches\\list.ini"), list);
    // Run by the command processor as a user runs it: the editor reads the accented names,
    // and after it failed the batch waits for a key.
    SetEnvironmentVariableA("KELVORN_STANDIN_EXIT", "-1");
    m_temp.Write("enter.txt", "\r\n");
    std::string ran;
    {
        test::CurrentFolderScope keep(editor);
        ConsoleScope console;
        EXPECT_EQ(
            RunCapturedEditor(
                sys::SystemProcessApi(),
                "cmd /c \"\"" + editor + "batches\\list.bat\" < \"" + root + "enter.txt\"\"", ran),
            "");
    }
    EXPECT_NE(ran.find("Press any key"), std::string::npos) << ran;
    EXPECT_NE(
        m_temp.Read("editor\\batches\\list_debug.txt").find("map: maps\\" + kEte + " (found)\r\n"),
        std::string::npos);
}

// Wine's own console allocations keep a few handles; beyond those, none is left behind.
TEST_F(RunE2ETest, ManyRunsInARowGiveBackEveryHandle) {
    const int kWarmUp = 2, kRuns = 12;
    const long consoleKept = ConsoleHandlesKept(kRuns);
    // The count must see handles at all, or the comparison below proves nothing.
    const long empty = HandleCount();
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    EXPECT_EQ(HandleCount(), empty + 1);
    CloseHandle(event);

    long afterWarmUp = -1, atEnd = -1;
    for (int i = 0; i <= kWarmUp + kRuns; ++i)
        Showing([&, i](CLoaderDlg& d) {
            if (i == 0) d.DropFiles({maps + "a.ds1"});
            if (i == kWarmUp) afterWarmUp = HandleCount();
            if (i < kWarmUp + kRuns) return d.ChooseMenu(ID_FILE_RUN);
            atEnd = HandleCount();
            d.PressEscape();
        });
    Start();
    EXPECT_TRUE(script.Finished()) << test::Errors(script);
    EXPECT_TRUE(script.MessageBoxes().empty()) << test::BoxTexts(script).front();
    EXPECT_EQ(atEnd - afterWarmUp, consoleKept);
}

}  // namespace
