// The dialog that edits kelvorn.ini: every setting, the factory values, browsers for the
// archives and the mod folder, and the choice of how the file is written on OK.
#pragma once

#include <string>

#include "editorcfg/editor_settings.h"
#include "ui/controls.h"
#include "ui/dialog.h"

inline constexpr const char* kRewriteCannotOpenQuestion =
    "Failed to open kelvorn.ini\nAttempt to create new file with comments?";
inline constexpr const char* kRewriteNoMemoryQuestion =
    "Failed to allocated memory\nAttempt to create new file with comments?";
inline constexpr const char* kWriteFailedQuestion =
    "Failed to open/create kelvorn.ini\nDiscard changes to configuratioin?";

class CEditorIniDlg : public ui::Dialog {
  public:
    explicit CEditorIniDlg(ui::Dialog* owner = nullptr);

    // The fields the controls show, but for gamma_correction, which lives in the gamma
    // list's selection, and only_normal_type2, which box 1066 shows the other way round.
    EditorSettings m_settings;
    int m_bAllowType2 = 0;
    int m_nCommentMode = -1;  // a CommentMode once the dialog is initialised
    bool m_bAllKeysPresent = false;
    ui::DropDownList m_gammaList;

    void OnDefaults();
    void OnRevert();
    void OnBrowseD2char() { BrowseForMpq(&EditorSettings::d2char); }
    void OnBrowseD2data() { BrowseForMpq(&EditorSettings::d2data); }
    void OnBrowseD2exp() { BrowseForMpq(&EditorSettings::d2exp); }
    void OnBrowsePatchD2() { BrowseForMpq(&EditorSettings::patch_d2); }
    void OnBrowseModDir();

  protected:
    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;
    // Writes the file in the chosen mode, or asks what to do when it cannot.
    void OnOK() override;

  private:
    void BrowseForMpq(std::string EditorSettings::*field);
    void ChooseGamma(std::size_t index);
    // What the controls hold, as the writers take it.
    EditorSettings SettingsToWrite() const;
};
