// The list of .dt1 tile files the editor is told to load for a map: at most 32 paths,
// kept by the main window for the life of the program and changed only by OK.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/dialog.h"

inline constexpr int kMaxDt1Files = 32;
inline constexpr const char* kMaxDt1Message = "Maximum of 32 .dt1 Files";

class CForceDt1Dlg : public ui::Dialog {
  public:
    explicit CForceDt1Dlg(ui::Dialog* owner = nullptr);

    ui::ListBox m_listDt1;
    int32_t m_nDt1Count = 0;
    std::array<std::string, kMaxDt1Files> m_dt1Files;

  protected:
    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;
    void OnOK() override;
    void OnDropFiles(const std::vector<std::string>& paths) override;

    void OnAddDt1();
    void OnRemoveDt1();
    // Lets the list scroll sideways as far as its widest item needs.
    void UpdateHorizontalExtent();

  private:
    bool Contains(const std::string& path) const;
};
