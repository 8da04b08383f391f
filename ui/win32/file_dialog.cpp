// The common open and save dialogs and the shell's folder browser, for real users.
#include <windows.h>
// Needs windows.h before it.
#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "ui/backend.h"
#include "ui/win32/file_results.h"
#include "ui/win32/unusable_paths.h"
#include "ui/win32/util.h"
#include "ui/win32/wide.h"

namespace ui::backend {

namespace {

constexpr DWORD kBufferChars = 65536;  // room for a long multiple selection

// The dialogs are asked not to change the current directory; this makes sure of it.
class KeepCurrentDirectory {
  public:
    KeepCurrentDirectory() {
        DWORD size = GetCurrentDirectoryW(0, nullptr);
        m_path.resize(size);
        DWORD got = GetCurrentDirectoryW(size, m_path.data());
        m_path.resize(got < size ? got : 0);
    }
    ~KeepCurrentDirectory() {
        if (!m_path.empty()) SetCurrentDirectoryW(m_path.c_str());
    }
    KeepCurrentDirectory(const KeepCurrentDirectory&) = delete;
    KeepCurrentDirectory& operator=(const KeepCurrentDirectory&) = delete;

  private:
    std::wstring m_path;
};

std::wstring FilterText(const std::vector<FileFilter>& filters) {
    std::wstring text;
    for (const FileFilter& f : filters) {
        text += win32::Widen(f.description);
        text += L'\0';
        text += win32::Widen(f.pattern);
        text += L'\0';
    }
    if (!text.empty()) text += L'\0';
    return text;
}

}  // namespace

FileDialogResult FileDialog(const Dialog* owner, const OpenFileOptions& options, bool save) {
    std::wstring filter = FilterText(options.filters);
    std::wstring folder = win32::Widen(options.initialFolder);
    std::string ext = options.defaultExtension;
    if (!ext.empty() && ext.front() == '.') ext.erase(0, 1);  // the dialog wants it bare
    std::wstring defExt = win32::Widen(ext);
    std::vector<wchar_t> buffer(kBufferChars, L'\0');
    std::wstring name = win32::Widen(options.initialName);
    name.copy(buffer.data(), std::min<size_t>(name.size(), kBufferChars - 2));

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = win32::WindowOf(owner);
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = kBufferChars;
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrDefExt = defExt.empty() ? nullptr : defExt.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (save) ofn.Flags |= OFN_OVERWRITEPROMPT;
    if (options.multiSelect && !save) ofn.Flags |= OFN_ALLOWMULTISELECT;
    if (options.fileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;

    KeepCurrentDirectory keep;
    BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!ok) return {};  // cancelled, or the dialog failed
    std::vector<std::wstring> refused;
    FileDialogResult result =
        win32::ParseFileBuffer(std::wstring_view(buffer.data(), buffer.size()),
                               (ofn.Flags & OFN_ALLOWMULTISELECT) != 0, refused);
    win32::RefuseUnusablePaths(owner, refused);
    return result;
}

std::optional<std::string> BrowseFolder(const Dialog* owner, const std::string& title) {
    KeepCurrentDirectory keep;
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::wstring wideTitle = win32::Widen(title);
    wchar_t display[MAX_PATH] = {};
    BROWSEINFOW bi{};
    bi.hwndOwner = win32::WindowOf(owner);
    bi.pszDisplayName = display;
    bi.lpszTitle = wideTitle.c_str();
    bi.ulFlags = BIF_NEWDIALOGSTYLE | BIF_VALIDATE;
    std::optional<std::string> folder;
    if (PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&bi)) {
        wchar_t path[MAX_PATH] = {};
        // An item outside the file system (a printer, the network) has no path.
        if (SHGetPathFromIDListW(item, path)) {
            std::vector<std::wstring> refused;
            std::vector<std::string> usable = win32::UsablePaths({path}, refused);
            if (!usable.empty()) folder = usable.front();
            win32::RefuseUnusablePaths(owner, refused);
        }
        CoTaskMemFree(item);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return folder;
}

}  // namespace ui::backend
