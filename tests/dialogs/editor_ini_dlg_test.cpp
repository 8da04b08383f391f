// Edit > Editor's ini: the settings dialog in the editor's folder and how OK writes.
#include "editorcfg/editor_ini_dlg.h"

#include "editorcfg/settings_reader.h"
#include "editorcfg/settings_writer.h"
#include "launch/editor_location.h"
#include "sys/registry.h"
#include "tests/dialogs/loader_dlg_fixture.h"
#include "ui/ddx.h"

namespace {

namespace fs = std::filesystem;
const std::string kGame = "C:\\Games\\Diablo II";
const std::string kIni = std::string("editor") + test::TempFolder::kSeparator + "kelvorn.ini";

class EditorIniTest : public LoaderDlgTest {
  protected:
    void SetUp() override {
        LoaderDlgTest::SetUp();
        bool created;
        sys::Registry& registry = sys::SystemRegistry();
        registry.CreateKey(sys::RegRoot::LocalMachine, kGameRegistryKey, created);
        registry.WriteString(sys::RegRoot::LocalMachine, kGameRegistryKey, "InstallPath", kGame);
        game = LoadEditorSettings(std::nullopt, registry).settings;
    }
    // The settings dialog from the main window, `step` inside, in the editor's folder.
    void OpenSettings(std::function<void(ui::Dialog&)> step) {
        OnMainWindow([](CLoaderDlg& d) { d.ChooseMenu(ID_EDIT_EDITOR_INI); });
        script.OnDialog(IDD_EDITOR_INI, [this, step](ui::Dialog& d) {
            EXPECT_TRUE(IsCurrentDir(editorDir));
            step(d);
        });
        CLoaderDlg().DoModal();
        EXPECT_TRUE(IsCurrentDir(ProgramDir()));
    }
    // Texts of controls joined by '|'; the selected item for the three drop-down lists.
    static std::string Shown(ui::Dialog& d, std::initializer_list<int> ids) {
        std::string text;
        for (int id : ids) {
            const int sel = id == IDC_SCREEN_DEPTH || id == IDC_CENTER_ZOOM || id == IDC_GAMMA
                                ? d.Window().CbGetCurSel(id)
                                : -1;
            text += (text.empty() ? "" : "|") +
                    (sel >= 0 ? d.Window().CbGetText(id, sel) : d.Window().GetItemText(id));
        }
        return text;
    }
    EditorSettings game;  // factory values with the game's archive paths
};

// Without a file: factory values, the game's paths, standard comments. Revert resets the
// per-act counts, Defaults all but paths and comments; each browser fills its own field.
TEST_F(EditorIniTest, WithoutAFileFactoryValuesThenDefaultsRevertAndTheBrowsers) {
    script.AnswerOpenFile({"C:\\x\\d2data.mpq"});
    script.CancelFileDialog();
    script.AnswerFolder("C:\\mods\\mine");
    script.AnswerFolder(std::nullopt);
    OpenSettings([](ui::Dialog& d) {
        ui::WindowPort& w = d.Window();
        EXPECT_EQ(Shown(d, {IDC_D2EXP, IDC_MOD_DIR, IDC_SCREEN_WIDTH, IDC_NB_TYPE2,
                            IDC_SCREEN_DEPTH, IDC_CENTER_ZOOM, IDC_GAMMA}),
                  kGame + "\\d2exp.mpq||800|150|16|1:1|1.30");
        // The depth and zoom lists come from the resource.
        EXPECT_EQ(w.CbGetText(IDC_SCREEN_DEPTH, 4) + w.CbGetText(IDC_CENTER_ZOOM, 5), "321:16");
        EXPECT_FALSE(w.IsChecked(IDC_ALLOW_TYPE2) || w.IsChecked(IDC_WINOBJ_SCROLL_MOUSE));
        EXPECT_TRUE(w.IsChecked(IDC_WINOBJ_SCROLL_KEYB) && w.IsChecked(IDC_COMMENTS_STANDARD));
        EXPECT_FALSE(w.IsItemEnabled(IDC_COMMENTS_KEEP));
        w.SetCheck(IDC_COMMENTS_STANDARD, false);
        w.SetCheck(IDC_COMMENTS_REMOVE, true);
        for (int id : {IDC_D2CHAR, IDC_SCREEN_WIDTH, IDC_NB_TYPE1, IDC_NB_TYPE2})
            d.TypeText(id, "7");
        for (int id :
             {IDC_BROWSE_D2DATA, IDC_BROWSE_PATCH_D2, IDC_BROWSE_MOD_DIR, IDC_BROWSE_MOD_DIR})
            d.ClickButton(id);
        w.SetCheck(IDC_ALLOW_TYPE2, true);
        w.CbSetCurSel(IDC_GAMMA, 0);
        d.ClickButton(IDC_REVERT);
        EXPECT_EQ(Shown(d, {IDC_NB_TYPE1, IDC_NB_TYPE2, IDC_SCREEN_WIDTH, IDC_D2CHAR, IDC_GAMMA}),
                  "60|150|7|7|0.60");
        EXPECT_TRUE(w.IsChecked(IDC_ALLOW_TYPE2));
        w.CbSetCurSel(IDC_CENTER_ZOOM, 0);
        w.SetCheck(IDC_FULL_SCREEN, false);
        d.ClickButton(IDC_DEFAULTS);         // what it shows is what OK writes
        w.CbSetCurSel(IDC_SCREEN_DEPTH, 0);  // the first item is a choice like any other
        d.PressEnter();
    });
    EditorSettings expected = game;
    expected.screen_depth = "8";
    expected.d2char = "7";
    expected.d2data = "C:\\x\\d2data.mpq";
    expected.mod_dir = "C:\\mods\\mine";
    EXPECT_EQ(m_folder.Read(kIni), FormatEditorSettings(expected, RemoveComments));
}

// A file keeps its lines, strange ones warned about; a path with ";" is refused. A rewrite
// that cannot open the file or write asks; the old file is kept. No editor folder, no dialog.
TEST_F(EditorIniTest, AFileKeepsItsLinesAndFailedSavesAskAndLeaveTheOldFile) {
    EditorSettings s = game;
    s.gamma_correction = "2.5";
    s.only_normal_type2 = false;
    const std::string original = "; mine\r\n" + FormatEditorSettings(s, RemoveComments) + "x y\r\n";
    m_folder.Write(kIni, original);
    OpenSettings([&](ui::Dialog& d) {
        EXPECT_TRUE(d.Window().IsItemEnabled(IDC_COMMENTS_KEEP));
        d.TypeText(IDC_D2EXP, "C:\\a;b.mpq");  // the reader would cut it at ";"
        d.PressEnter();
        EXPECT_FALSE(d.IsEnding());
        EXPECT_EQ(d.Window().GetItemText(IDC_D2EXP) + m_folder.Read(kIni),
                  "C:\\a;b.mpq" + original);
        d.TypeText(IDC_D2EXP, s.d2exp);
        d.PressEnter();  // the values shown are the values written
    });
    std::string expected = original;
    expected.replace(expected.find("= 2.5"), 5, "= 2.50");
    EXPECT_EQ(m_folder.Read(kIni), expected);
    m_folder.Write(kIni, FormatEditorSettings(game, RemoveComments));
    for (int answer : {ui::IdCancel, ui::IdYes}) script.AnswerMessageBox(answer);
    OpenSettings([this](ui::Dialog& d) {
        fs::remove(m_folder.Path(kIni));  // deleted while the dialog is open
        d.PressEnter();
        EXPECT_FALSE(d.IsEnding());
        d.PressEnter();
    });
    EXPECT_EQ(m_folder.Read(kIni), FormatEditorSettings(game, StandardComments));
    m_folder.Write(kIni, "old\r\n");
    fs::permissions(m_folder.Path(kIni), fs::perms::owner_write, fs::perm_options::remove);
    for (int answer : {ui::IdNo, ui::IdOk, ui::IdYes}) script.AnswerMessageBox(answer);
    OpenSettings([](ui::Dialog& d) {
        d.PressEnter();
        d.TypeText(IDC_SCREEN_HEIGHT, "");  // no number: nothing is tried
        d.PressEnter();
        d.TypeText(IDC_SCREEN_HEIGHT, "600");
        d.PressEnter();
    });
    OpenSettings([](ui::Dialog& d) { d.PressEscape(); });
    EXPECT_EQ(m_folder.Read(kIni), "old\r\n");
    fs::permissions(m_folder.Path(kIni), fs::perms::owner_write, fs::perm_options::add);
    for (const char* loaderIni :
         {"; kelvornpath = x\r\nkelvornpath= x\r\n", "kelvornpath = none\r\n"}) {
        m_folder.Write("kelvorn_loader.ini", loaderIni);
        CLoaderDlg dlg;
        Show(dlg, [](CLoaderDlg& d) { d.ChooseMenu(ID_EDIT_EDITOR_INI); });
    }
    EXPECT_TRUE(IsCurrentDir(ProgramDir()));
    s.d2exp = "C:\\a;b.mpq";
    EXPECT_EQ(test::BoxTexts(script),
              (Strings{PathWithSemicolonMessage(s), "Bad Line:\n46: x y\n",
                       kRewriteCannotOpenQuestion, kRewriteCannotOpenQuestion, kWriteFailedQuestion,
                       ui::kPromptSigned, kWriteFailedQuestion, kNoEditorFolderMessage,
                       kEditorFolderMissingMessage + std::string("none")}));
    const auto& boxes = script.MessageBoxes();
    for (int i : {0, 1})
        EXPECT_EQ(std::tie(boxes[i].caption, boxes[i].ownerTemplate, boxes[i].flags),
                  std::tuple("Warning", IDD_EDITOR_INI, ui::MbOk | ui::MbIconExclamation));
    EXPECT_EQ(boxes[2].flags, ui::MbYesNoCancel | ui::MbIconExclamation);
    for (int i : {7, 8}) test::ExpectErrorBox(boxes[i], boxes[i].text, IDD_LOADER);
}

}  // namespace
