#include "sys/win32/wide.h"

#include <windows.h>

namespace sys::win32 {

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    int size = static_cast<int>(utf8.size());
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), n);
    return out;
}

std::string Narrow(const wchar_t* utf16, int length) {
    if (!utf16) return {};
    if (length < 0) length = static_cast<int>(wcslen(utf16));
    if (length == 0) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, utf16, length, nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16, length, out.data(), n, nullptr, nullptr);
    return out;
}

std::string Narrow(const std::wstring& utf16) {
    return Narrow(utf16.data(), static_cast<int>(utf16.size()));
}

}  // namespace sys::win32
