// The About box: the program's icon, its version and what it is for.
#pragma once

#include "ui/dialog.h"
#include "version.h"

inline constexpr double kVersion = KELVORN_VERSION;

class CAboutDlg : public ui::Dialog {
  public:
    explicit CAboutDlg(ui::Dialog* owner = nullptr);

  protected:
    bool OnInitDialog() override;
};
