#include "editorcfg/editor_ini_dlg.h"

#include "editorcfg/settings_reader.h"
#include "editorcfg/settings_rewrite.h"
#include "editorcfg/settings_writer.h"
#include "res/resource.h"
#include "ui/ddx.h"
#include "ui/modal.h"
#include "ui/types.h"

CEditorIniDlg::CEditorIniDlg(ui::Dialog* owner) : ui::Dialog(IDD_EDITOR_INI, owner) {
    MapCommand(IDC_DEFAULTS, &CEditorIniDlg::OnDefaults);
    MapCommand(IDC_REVERT, &CEditorIniDlg::OnRevert);
    MapCommand(IDC_BROWSE_D2CHAR, &CEditorIniDlg::OnBrowseD2char);
    MapCommand(IDC_BROWSE_D2DATA, &CEditorIniDlg::OnBrowseD2data);
    MapCommand(IDC_BROWSE_D2EXP, &CEditorIniDlg::OnBrowseD2exp);
    MapCommand(IDC_BROWSE_PATCH_D2, &CEditorIniDlg::OnBrowsePatchD2);
    MapCommand(IDC_BROWSE_MOD_DIR, &CEditorIniDlg::OnBrowseModDir);
}

void CEditorIniDlg::DoDataExchange(ui::DataExchange& dx) {
    EditorSettings& s = m_settings;
    ui::DDX_Radio(dx, {IDC_COMMENTS_REMOVE, IDC_COMMENTS_STANDARD, IDC_COMMENTS_KEEP},
                  m_nCommentMode);
    ui::DDX_Text(dx, IDC_D2CHAR, s.d2char);
    ui::DDX_Text(dx, IDC_D2DATA, s.d2data);
    ui::DDX_Text(dx, IDC_D2EXP, s.d2exp);
    ui::DDX_Text(dx, IDC_PATCH_D2, s.patch_d2);
    ui::DDX_Text(dx, IDC_MOD_DIR, s.mod_dir);
    ui::DDX_Check(dx, IDC_FULL_SCREEN, s.full_screen);
    ui::DDX_Text(dx, IDC_SCREEN_WIDTH, s.screen_width);
    ui::DDX_Text(dx, IDC_SCREEN_HEIGHT, s.screen_height);
    ui::DDX_CBString(dx, IDC_SCREEN_DEPTH, s.screen_depth);
    ui::DDX_Text(dx, IDC_KEYB_SCROLL_X, s.keyb_scroll_x);
    ui::DDX_Text(dx, IDC_KEYB_SCROLL_Y, s.keyb_scroll_y);
    ui::DDX_Text(dx, IDC_MOUSE_SCROLL_X, s.mouse_scroll_x);
    ui::DDX_Text(dx, IDC_MOUSE_SCROLL_Y, s.mouse_scroll_y);
    ui::DDX_Text(dx, IDC_EDIT_SCROLL_X, s.edit_scroll_x);
    ui::DDX_Text(dx, IDC_EDIT_SCROLL_Y, s.edit_scroll_y);
    ui::DDX_Text(dx, IDC_OBJ_EDIT_SCROLL, s.obj_edit_scroll);
    ui::DDX_Text(dx, IDC_MOUSE_SPEED_X, s.mouse_speed_x);
    ui::DDX_Text(dx, IDC_MOUSE_SPEED_Y, s.mouse_speed_y);
    ui::DDX_Text(dx, IDC_REFRESH_RATE, s.refresh_rate);
    ui::DDX_Control(dx, IDC_GAMMA, m_gammaList);
    ui::DDX_Check(dx, IDC_ALLOW_TYPE2, m_bAllowType2);
    ui::DDX_Check(dx, IDC_ALWAYS_MAX_LAYERS, s.always_max_layers);
    ui::DDX_Check(dx, IDC_STRETCH_SPRITE, s.stretch_sprite);
    ui::DDX_Check(dx, IDC_DS1_SAVED_MINIMIZE, s.ds1_saved_minimize);
    ui::DDX_CBString(dx, IDC_CENTER_ZOOM, s.center_zoom);
    ui::DDX_Check(dx, IDC_WINOBJ_SCROLL_MOUSE, s.winobj_can_scroll_mouse);
    ui::DDX_Check(dx, IDC_WINOBJ_SCROLL_KEYB, s.winobj_can_scroll_keyb);
    ui::DDX_Text(dx, IDC_NB_TYPE1, s.nb_type1_per_act);
    ui::DDX_Text(dx, IDC_NB_TYPE2, s.nb_type2_per_act);
}

bool CEditorIniDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    const LoadedEditorSettings loaded = LoadEditorSettings();
    m_settings = loaded.settings;
    m_bAllowType2 = loaded.settings.only_normal_type2 ? 0 : 1;
    m_bAllKeysPresent = loaded.allKeysPresent;

    m_gammaList.ResetContent();
    for (const std::string& value : GammaValues()) m_gammaList.AddString(value);
    ChooseGamma(ChooseGammaIndex(loaded.settings.gamma_correction));

    // Keeping the comments rewrites the lines that exist: a missing key would be lost.
    if (m_bAllKeysPresent) {
        m_nCommentMode = KeepCurrentComments;
    } else {
        m_nCommentMode = StandardComments;
        Window().EnableItem(IDC_COMMENTS_KEEP, false);
    }
    UpdateData(false);
    return true;
}

void CEditorIniDlg::ChooseGamma(std::size_t index) {
    m_gammaList.SetCurSel(static_cast<int>(index));
}

EditorSettings CEditorIniDlg::SettingsToWrite() const {
    EditorSettings settings = m_settings;
    const int chosen = m_gammaList.GetCurSel();
    settings.gamma_correction = chosen < 0 ? std::string() : m_gammaList.GetText(chosen);
    settings.only_normal_type2 = m_bAllowType2 == 0;
    return settings;
}

void CEditorIniDlg::OnOK() {
    if (!UpdateData(true)) return;
    if (const std::string refusal = PathWithSemicolonMessage(m_settings); !refusal.empty()) {
        MessageBox(refusal, "Warning", ui::MbOk | ui::MbIconExclamation);
        return;
    }
    const EditorSettings settings = SettingsToWrite();
    if (m_nCommentMode == KeepCurrentComments) {
        const RewriteResult result =
            RewriteEditorSettings(settings, [this](const std::string& warning) {
                MessageBox(warning, "Warning", ui::MbOk | ui::MbIconExclamation);
            });
        if (result == RewriteResult::Done) {
            ui::Dialog::OnOK();
            return;
        }
        const char* question = result == RewriteResult::NoMemory ? kRewriteNoMemoryQuestion
                                                                 : kRewriteCannotOpenQuestion;
        const int answer = MessageBox(question, "Error", ui::MbYesNoCancel | ui::MbIconExclamation);
        if (answer == ui::IdNo) ui::Dialog::OnOK();
        if (answer != ui::IdYes) return;
        m_nCommentMode = StandardComments;
        UpdateData(false);  // the radio buttons say what is written
    }
    const CommentMode mode = m_nCommentMode == RemoveComments ? RemoveComments : StandardComments;
    if (WriteEditorSettings(settings, mode) ||
        MessageBox(kWriteFailedQuestion, "Error", ui::MbYesNo | ui::MbIconExclamation) == ui::IdYes)
        ui::Dialog::OnOK();
}

void CEditorIniDlg::OnDefaults() {
    // Every field after a number that does not convert is reset here as well, so the
    // paths and the comment mode, read before any number, are all there is to keep.
    UpdateData(true);
    const EditorSettings factory;
    EditorSettings& s = m_settings;
    const EditorSettings kept = s;
    s = factory;
    s.d2char = kept.d2char;
    s.d2data = kept.d2data;
    s.d2exp = kept.d2exp;
    s.patch_d2 = kept.patch_d2;
    s.mod_dir = kept.mod_dir;
    m_bAllowType2 = factory.only_normal_type2 ? 0 : 1;
    ChooseGamma(ChooseGammaIndex(factory.gamma_correction));
    UpdateData(false);
}

void CEditorIniDlg::OnRevert() {
    // Members not read from the controls would overwrite what the user typed.
    if (!UpdateData(true)) return;
    const EditorSettings factory;
    m_settings.nb_type1_per_act = factory.nb_type1_per_act;
    m_settings.nb_type2_per_act = factory.nb_type2_per_act;
    UpdateData(false);
}

void CEditorIniDlg::BrowseForMpq(std::string EditorSettings::*field) {
    if (!UpdateData(true)) return;
    ui::OpenFileOptions options;
    options.filters = {{"Blizzard MoPaQ (*.mpq)", "*.mpq"}, {"Any File (*.*)", "*.*"}};
    options.fileMustExist = true;
    // The file dialog leaves the working directory, the editor folder, as it was.
    const ui::FileDialogResult chosen = ui::ShowOpenFileDialog(this, options);
    if (!chosen.confirmed || chosen.paths.empty()) return;
    m_settings.*field = chosen.paths.front();
    UpdateData(false);
}

void CEditorIniDlg::OnBrowseModDir() {
    if (!UpdateData(true)) return;
    const std::optional<std::string> folder =
        ui::BrowseForFolder(this, "Select your Mod Directory");
    if (!folder) return;
    m_settings.mod_dir = *folder;
    UpdateData(false);
}
