// Edit > Editor's ini: the settings dialog opened in the editor's folder, its values, its
// buttons and the three ways OK writes kelvorn.ini.
#include "editorcfg/editor_ini_dlg.h"

#include <filesystem>
#include <fstream>

#include "editorcfg/settings_reader.h"
#include "editorcfg/settings_writer.h"
#include "launch/editor_location.h"
#include "sys/registry.h"
#include "tests/dialogs/loader_dlg_fixture.h"
#include "ui/ddx.h"

namespace {

namespace fs = std::filesystem;
using Step = std::function<void(ui::Dialog&)>;

const std::string kGame = "C:\\Games\\Diablo II";

class EditorIniTest : public LoaderDlgTest {
  protected:
    void SetUp() override {
        LoaderDlgTest::SetUp();
        editorDir = ProgramDir() + "editor";
        fs::create_directories(editorDir);
        WriteLoaderIni("kelvornpath = " + editorDir + "\r\n");
        bool created;
        sys::Registry& registry = sys::SystemRegistry();
        registry.CreateKey(sys::RegRoot::LocalMachine, kGameRegistryKey, created);
        registry.WriteString(sys::RegRoot::LocalMachine, kGameRegistryKey, "InstallPath", kGame);
    }
    void WriteLoaderIni(const std::string& text) const {
        std::ofstream(ProgramDir() + "kelvorn_loader.ini", std::ios::binary) << text;
    }
    std::string IniPath() const { return (fs::path(editorDir) / "kelvorn.ini").string(); }
    void WriteEditorIni(const std::string& text) const {
        std::ofstream(IniPath(), std::ios::binary) << text;
    }
    std::string EditorIni() const {
        std::ifstream in(IniPath(), std::ios::binary);
        return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "(none)";
    }
    // Opens the settings dialog from the main window, with `step` inside it; `s` is the
    // active script.
    void OpenSettings(Step step) { OpenSettings(script, std::move(step)); }
    void OpenSettings(ui::Script& s, Step step) {
        CLoaderDlg dlg;
        s.OnDialog(IDD_LOADER, [](ui::Dialog& d) {
            d.ChooseMenu(ID_EDIT_EDITOR_INI);
            d.PressEscape();
        });
        s.OnDialog(IDD_EDITOR_INI, [this, step](ui::Dialog& d) {
            std::error_code ec;
            inEditorDir = fs::equivalent(fs::current_path(), editorDir, ec);
            step(d);
        });
        dlg.DoModal();
        EXPECT_TRUE(WorkingDirIsProgramDir());
    }
    static std::string Selected(ui::Dialog& d, int id) {
        int sel = d.Window().CbGetCurSel(id);
        return sel < 0 ? "(none)" : d.Window().CbGetText(id, sel);
    }

    std::string editorDir;
    bool inEditorDir = false;
};

EditorSettings GameDefaults() {
    EditorSettings s;
    s.d2char = kGame + "\\d2char.mpq";
    s.d2data = kGame + "\\d2data.mpq";
    s.d2exp = kGame + "\\d2exp.mpq";
    s.patch_d2 = kGame + "\\patch_d2.mpq";
    return s;
}

TEST_F(EditorIniTest, WithoutAFileFactoryValuesAndGamePathsAreWrittenWithComments) {
    OpenSettings([](ui::Dialog& d) {
        ui::WindowPort& w = d.Window();
        EXPECT_EQ(w.GetItemText(IDC_D2EXP), kGame + "\\d2exp.mpq");
        EXPECT_EQ(w.GetItemText(IDC_MOD_DIR), "");
        EXPECT_EQ(w.GetItemText(IDC_SCREEN_WIDTH), "800");
        EXPECT_EQ(w.GetItemText(IDC_NB_TYPE2), "150");
        EXPECT_EQ(w.CbGetCount(IDC_SCREEN_DEPTH), 5);  // from the resource
        EXPECT_EQ(w.CbGetCount(IDC_CENTER_ZOOM), 6);
        EXPECT_EQ(w.CbGetCount(IDC_GAMMA), 41);
        EXPECT_EQ(
            Selected(d, IDC_SCREEN_DEPTH) + Selected(d, IDC_CENTER_ZOOM) + Selected(d, IDC_GAMMA),
            "161:11.30");
        EXPECT_FALSE(w.IsChecked(IDC_ALLOW_TYPE2));
        EXPECT_TRUE(w.IsChecked(IDC_WINOBJ_SCROLL_KEYB));
        EXPECT_FALSE(w.IsChecked(IDC_WINOBJ_SCROLL_MOUSE));
        EXPECT_TRUE(w.IsChecked(IDC_COMMENTS_STANDARD));
        EXPECT_FALSE(w.IsItemEnabled(IDC_COMMENTS_KEEP));
        d.PressEnter();
    });
    EXPECT_TRUE(inEditorDir);
    EXPECT_EQ(EditorIni(), FormatEditorSettings(GameDefaults(), StandardComments));
    EXPECT_TRUE(script.Finished()) << FirstError();
}

TEST_F(EditorIniTest, AFullFileKeepsItsCommentsAndOnlyChangedValuesChange) {
    EditorSettings s = GameDefaults();
    s.gamma_correction = "2.5";
    s.only_normal_type2 = false;
    const std::string original = "; mine\r\n" + FormatEditorSettings(s, RemoveComments) + "x y\r\n";
    WriteEditorIni(original);
    OpenSettings([](ui::Dialog& d) {
        EXPECT_TRUE(d.Window().IsChecked(IDC_COMMENTS_KEEP));
        EXPECT_TRUE(d.Window().IsItemEnabled(IDC_COMMENTS_KEEP));
        EXPECT_TRUE(d.Window().IsChecked(IDC_ALLOW_TYPE2));
        EXPECT_EQ(Selected(d, IDC_GAMMA), "2.50");
        d.TypeText(IDC_SCREEN_WIDTH, "1024");
        d.PressEnter();
    });
    std::string expected = original;
    expected.replace(expected.find("= 800"), 5, "= 1024");
    expected.replace(expected.find("= 2.5"), 5, "= 2.50");
    EXPECT_EQ(EditorIni(), expected);
    ASSERT_EQ(script.MessageBoxes().size(), 1u);
    EXPECT_EQ(script.MessageBoxes()[0].text, "Bad Line:\n46: x y\n");
    EXPECT_EQ(script.MessageBoxes()[0].caption, "Warning");
    EXPECT_EQ(script.MessageBoxes()[0].ownerTemplate, IDD_EDITOR_INI);
}

TEST_F(EditorIniTest, DefaultsAndRevertKeepWhatTheyShould) {
    OpenSettings([](ui::Dialog& d) {
        ui::WindowPort& w = d.Window();
        d.Window().SetCheck(IDC_COMMENTS_STANDARD, false);
        d.Window().SetCheck(IDC_COMMENTS_REMOVE, true);
        d.TypeText(IDC_D2CHAR, "typed");
        d.TypeText(IDC_SCREEN_WIDTH, "1");
        d.TypeText(IDC_NB_TYPE1, "2");
        d.TypeText(IDC_NB_TYPE2, "3");
        w.SetCheck(IDC_ALLOW_TYPE2, true);
        w.CbSetCurSel(IDC_GAMMA, 0);
        d.ClickButton(IDC_REVERT);
        EXPECT_EQ(w.GetItemText(IDC_NB_TYPE1) + "/" + w.GetItemText(IDC_NB_TYPE2) + "/" +
                      w.GetItemText(IDC_SCREEN_WIDTH) + "/" + w.GetItemText(IDC_D2CHAR),
                  "60/150/1/typed");
        EXPECT_TRUE(w.IsChecked(IDC_ALLOW_TYPE2));
        EXPECT_EQ(Selected(d, IDC_GAMMA), "0.60");

        w.CbSetCurSel(IDC_CENTER_ZOOM, 0);
        w.SetCheck(IDC_FULL_SCREEN, false);
        d.ClickButton(IDC_DEFAULTS);
        EXPECT_EQ(w.GetItemText(IDC_SCREEN_WIDTH) + "/" + w.GetItemText(IDC_D2CHAR), "800/typed");
        EXPECT_EQ(Selected(d, IDC_GAMMA) + Selected(d, IDC_CENTER_ZOOM), "1.301:1");
        EXPECT_FALSE(w.IsChecked(IDC_ALLOW_TYPE2));
        EXPECT_TRUE(w.IsChecked(IDC_FULL_SCREEN));
        EXPECT_TRUE(w.IsChecked(IDC_COMMENTS_REMOVE));
        d.PressEnter();
    });
    EditorSettings expected = GameDefaults();
    expected.d2char = "typed";
    EXPECT_EQ(EditorIni(), FormatEditorSettings(expected, RemoveComments));
}

TEST_F(EditorIniTest, BrowsersFillTheirFieldAndKeepTheWorkingDirectory) {
    script.AnswerOpenFile({"C:\\x\\d2data.mpq"});
    script.CancelFileDialog();
    script.AnswerFolder("C:\\mods\\mine");
    script.AnswerFolder(std::nullopt);
    OpenSettings([this](ui::Dialog& d) {
        d.TypeText(IDC_D2CHAR, "typed");
        d.ClickButton(IDC_BROWSE_D2DATA);
        d.ClickButton(IDC_BROWSE_PATCH_D2);
        d.ClickButton(IDC_BROWSE_MOD_DIR);
        d.ClickButton(IDC_BROWSE_MOD_DIR);
        ui::WindowPort& w = d.Window();
        EXPECT_EQ(w.GetItemText(IDC_D2CHAR) + "|" + w.GetItemText(IDC_D2DATA) + "|" +
                      w.GetItemText(IDC_PATCH_D2) + "|" + w.GetItemText(IDC_MOD_DIR),
                  "typed|C:\\x\\d2data.mpq|" + kGame + "\\patch_d2.mpq|C:\\mods\\mine");
        std::error_code ec;
        EXPECT_TRUE(fs::equivalent(fs::current_path(), editorDir, ec));
        d.PressEscape();
    });
    EXPECT_EQ(EditorIni(), "(none)");
    EXPECT_TRUE(script.Finished()) << FirstError();
}

TEST_F(EditorIniTest, FailuresAskAndTheAnswersDecide) {
    const std::string full = FormatEditorSettings(GameDefaults(), RemoveComments);
    struct Case {
        int answer;
        bool closes;
        std::string file;
    };
    // The file deleted while the dialog is open: the rewrite cannot read it.
    for (const Case& c :
         {Case{ui::IdYes, true, FormatEditorSettings(GameDefaults(), StandardComments)},
          Case{ui::IdNo, true, "(none)"}, Case{ui::IdCancel, false, "(none)"}}) {
        WriteEditorIni(full);
        ui::Script local;
        local.AnswerMessageBox(c.answer);
        bool ending = false;
        OpenSettings(local, [&](ui::Dialog& d) {
            fs::remove(IniPath());
            d.PressEnter();
            ending = d.IsEnding();
            if (!ending) d.PressEscape();
        });
        EXPECT_EQ(ending, c.closes) << c.answer;
        EXPECT_EQ(EditorIni(), c.file) << c.answer;
        ASSERT_EQ(local.MessageBoxes().size(), 1u);
        EXPECT_EQ(local.MessageBoxes()[0].text, kRewriteCannotOpenQuestion);
        EXPECT_EQ(local.MessageBoxes()[0].flags, ui::MbYesNoCancel | ui::MbIconExclamation);
    }
    // A fresh write that fails: No stays, Yes closes; the old file is untouched.
    WriteEditorIni("old\r\n");
    fs::create_directory(IniPath() + ".kelvorn-tmp");
    ui::Script local;
    local.AnswerMessageBox(ui::IdNo);
    local.AnswerMessageBox(ui::IdOk);  // the prompt for the emptied field
    local.AnswerMessageBox(ui::IdYes);
    OpenSettings(local, [](ui::Dialog& d) {
        d.PressEnter();
        EXPECT_FALSE(d.IsEnding());
        d.TypeText(IDC_SCREEN_HEIGHT, "");  // no number: nothing is tried
        d.PressEnter();
        d.TypeText(IDC_SCREEN_HEIGHT, "600");
        d.PressEnter();
    });
    EXPECT_EQ(EditorIni(), "old\r\n");
    std::vector<std::string> texts;
    for (const auto& box : local.MessageBoxes()) texts.push_back(box.text);
    EXPECT_EQ(texts, (std::vector<std::string>{kWriteFailedQuestion, ui::kPromptSigned,
                                               kWriteFailedQuestion}));
}

TEST_F(EditorIniTest, WithoutTheEditorFolderTheDialogDoesNotOpen) {
    const struct {
        const char* loaderIni;  // nullptr: no file
        std::string message;
    } cases[] = {
        {nullptr, kNoLoaderIniMessage},
        {"; kelvornpath = x\r\nkelvornpath= x\r\n", kNoEditorFolderMessage},
        {"kelvornpath = no-such-folder\r\n",
         std::string(kEditorFolderMissingMessage) + "no-such-folder"},
    };
    for (const auto& c : cases) {
        if (c.loaderIni)
            WriteLoaderIni(c.loaderIni);
        else
            fs::remove(ProgramDir() + "kelvorn_loader.ini");
        ui::Script local;
        CLoaderDlg dlg;
        local.OnDialog(IDD_LOADER, [](ui::Dialog& d) {
            d.ChooseMenu(ID_EDIT_EDITOR_INI);
            d.PressEscape();
        });
        dlg.DoModal();
        ASSERT_EQ(local.MessageBoxes().size(), 1u);
        EXPECT_EQ(local.MessageBoxes()[0].text, c.message);
        EXPECT_EQ(local.DialogsOpened(), std::vector<int>{IDD_LOADER});
    }
}

}  // namespace
