// The About box: the program's icon, its version and what it is for.
#pragma once

#include "ui/dialog.h"

inline constexpr double kVersion = 1.014;

class CAboutDlg : public ui::Dialog {
  public:
    explicit CAboutDlg(ui::Dialog* owner = nullptr);

  protected:
    bool OnInitDialog() override;
};
