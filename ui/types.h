// Plain values shared by the dialog framework and its callers. The numbers are the
// platform's, so the win32 backend passes them through unchanged; the names live in
// our namespace because the platform's are macros.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ui {

// Dialog end codes and message box answers.
inline constexpr int IdOk = 1;
inline constexpr int IdCancel = 2;
inline constexpr int IdAbort = 3;
inline constexpr int IdRetry = 4;
inline constexpr int IdIgnore = 5;
inline constexpr int IdYes = 6;
inline constexpr int IdNo = 7;

// Message box flags.
inline constexpr unsigned MbOk = 0x0;
inline constexpr unsigned MbOkCancel = 0x1;
inline constexpr unsigned MbYesNoCancel = 0x3;
inline constexpr unsigned MbYesNo = 0x4;
inline constexpr unsigned MbIconError = 0x10;
inline constexpr unsigned MbIconQuestion = 0x20;
inline constexpr unsigned MbIconExclamation = 0x30;
inline constexpr unsigned MbIconInformation = 0x40;

// Notification codes carried with a command (WM_COMMAND) or a notify (WM_NOTIFY).
inline constexpr int BnClicked = 0;
inline constexpr int EnChange = 0x0300;
inline constexpr int LbnSelChange = 1;
inline constexpr int CbnSelChange = 1;
inline constexpr int NmClick = -2;
inline constexpr int NmDblClk = -3;

// Keys a dialog can map for one of its controls: the platform's virtual-key code, with
// KeyCtrl added when Control is held (and KeyShift or KeyAlt with those, which no map uses).
inline constexpr unsigned VkDelete = 0x2E;
inline constexpr unsigned KeyCtrl = 0x10000;
inline constexpr unsigned KeyShift = 0x20000;
inline constexpr unsigned KeyAlt = 0x40000;

// List view extended style used by the dialogs.
inline constexpr unsigned LvsExFullRowSelect = 0x20;

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

struct Size {
    int cx = 0, cy = 0;
};

// One message box as it was shown (tests read these back).
struct MessageBoxCall {
    int ownerTemplate = 0;  // template id of the owning dialog, 0 when unowned
    std::string text;
    std::string caption;
    unsigned flags = 0;
};

struct FileFilter {
    std::string description;  // "Diablo II Map (*.ds1)"
    std::string pattern;      // "*.ds1"
};

struct OpenFileOptions {
    std::vector<FileFilter> filters;
    bool multiSelect = false;
    bool fileMustExist = false;
    std::string initialFolder;
    std::string initialName;
    std::string defaultExtension;
};

// The outcome of an open or save dialog. With several files chosen the platform hands
// back a folder and bare names; `folder` is then set and each path is folder + '\' + name.
// With one file chosen `folder` is empty and `paths` holds its full path.
struct FileDialogResult {
    bool confirmed = false;
    std::string folder;
    std::vector<std::string> names;
    std::vector<std::string> paths;
};

}  // namespace ui
