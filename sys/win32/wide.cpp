#include "sys/win32/wide.h"

#include <windows.h>

namespace sys::win32 {

namespace {

int Size(std::size_t length) {
    return static_cast<int>(length);
}

// The default character is the only sign of a lost character, and the UTF-8 code page
// (a system set to "use Unicode UTF-8") refuses to give it: there, only unpaired
// surrogates are lost, and the call fails on them instead.
std::optional<std::string> ToCodePage(std::wstring_view text, bool exact) {
    if (text.empty()) return std::string();
    const bool utf8 = GetACP() == CP_UTF8;
    DWORD flags = !exact ? 0 : utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL lost = FALSE;
    BOOL* lostOut = exact && !utf8 ? &lost : nullptr;
    int n = WideCharToMultiByte(CP_ACP, flags, text.data(), Size(text.size()), nullptr, 0, nullptr,
                                lostOut);
    if (n <= 0 || lost) return std::nullopt;
    std::string out(static_cast<std::size_t>(n), '\0');
    n = WideCharToMultiByte(CP_ACP, flags, text.data(), Size(text.size()), out.data(), n, nullptr,
                            lostOut);
    if (n <= 0 || lost) return std::nullopt;
    out.resize(static_cast<std::size_t>(n));
    return out;
}

}  // namespace

std::wstring Widen(std::string_view text) {
    if (text.empty()) return {};
    int n = MultiByteToWideChar(CP_ACP, 0, text.data(), Size(text.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    n = MultiByteToWideChar(CP_ACP, 0, text.data(), Size(text.size()), out.data(), n);
    out.resize(static_cast<std::size_t>(n > 0 ? n : 0));
    return out;
}

std::string Narrow(const wchar_t* text, int length) {
    if (!text) return {};
    if (length < 0) length = Size(wcslen(text));
    return Narrow(std::wstring_view(text, static_cast<std::size_t>(length)));
}

std::string Narrow(std::wstring_view text) {
    return ToCodePage(text, false).value_or(std::string());
}

std::optional<std::string> NarrowExact(std::wstring_view text) {
    return ToCodePage(text, true);
}

std::string NarrowQuotedPaths(std::wstring_view line, std::vector<std::wstring>& unusable) {
    std::string out;
    std::size_t i = 0;
    while (i < line.size()) {
        std::size_t open = line.find(L'"', i);
        out += Narrow(line.substr(i, open == std::wstring_view::npos ? open : open - i));
        if (open == std::wstring_view::npos) break;
        std::size_t close = line.find(L'"', open + 1);
        std::wstring_view quoted =
            line.substr(open + 1, close == std::wstring_view::npos ? close : close - open - 1);
        if (std::optional<std::string> path = NarrowExact(quoted))
            out += '"' + *path + '"';
        else
            unusable.emplace_back(quoted);
        i = close == std::wstring_view::npos ? line.size() : close + 1;
    }
    return out;
}

}  // namespace sys::win32
