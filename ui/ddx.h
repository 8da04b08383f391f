// Data exchange between a dialog's controls and its members, in the manner of
// DoDataExchange: one call per control, the direction given by the exchange.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ui {

class Dialog;
class Control;

class DataExchange {
  public:
    DataExchange(Dialog& dialog, bool saving) : m_dialog(dialog), m_saving(saving) {}
    Dialog& dialog() const { return m_dialog; }
    bool saving() const { return m_saving; }
    bool failed() const { return m_failed; }
    // Stops the exchange at control `id`: shows `prompt`, puts the focus on the control.
    void Fail(int id, const std::string& prompt);

  private:
    Dialog& m_dialog;
    bool m_saving;
    bool m_failed = false;
};

// The prompts shown when a number box does not hold a number.
inline constexpr const char* kPromptUnsigned = "Please enter a positive whole number.";
inline constexpr const char* kPromptSigned = "Please enter a whole number.";

void DDX_Text(DataExchange& dx, int id, std::string& value);
void DDX_Text(DataExchange& dx, int id, uint32_t& value);  // unsigned decimal
void DDX_Text(DataExchange& dx, int id, int32_t& value);   // signed decimal
void DDX_Check(DataExchange& dx, int id, bool& value);
void DDX_Check(DataExchange& dx, int id, int& value);  // 0 or 1
// Radio group given by its button ids in order; -1 when none is checked.
void DDX_Radio(DataExchange& dx, const std::vector<int>& ids, int& value);
// Drop-down list selection by its text: loading selects the first item that begins with
// `value` (nothing when none does); saving reads the selected item's text ("" if none).
void DDX_CBString(DataExchange& dx, int id, std::string& value);
void DDX_Control(DataExchange& dx, int id, Control& control);

// Number parsing used by the exchange; exposed for its tests.
bool ParseUnsigned(const std::string& text, uint32_t& out);
bool ParseSigned(const std::string& text, int32_t& out);

}  // namespace ui
