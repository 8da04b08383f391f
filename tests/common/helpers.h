// What every suite shares: a scratch folder, whole files, what a ui::Script saw.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "ui/script.h"
#ifdef _WIN32
#include "sys/win32/wide.h"
#endif

namespace test {

using Strings = std::vector<std::string>;

// A file's bytes as they are; empty when it cannot be read.
inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A fresh temporary folder, removed with its content; Path() has no final separator.
class TempFolder {
  public:
    TempFolder() {
        static std::atomic<unsigned> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        m_path = std::filesystem::temp_directory_path() /
                 ("kelvorn-test-" + std::to_string(stamp) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path(const std::string& name = "") const {
        const std::string folder = m_path.string();
        return name.empty() ? folder : folder + kSeparator + name;
    }
    // Writes `bytes` as they are to `name` in the folder; returns the file's path.
    std::string Write(const std::string& name, std::string_view bytes) const {
        std::ofstream(m_path / Native(name), std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return Path(name);
    }
    std::string Read(const std::string& name) const { return ReadFile(m_path / Native(name)); }
    // The names in the folder, sorted: what a save left behind.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path)) {
#ifdef _WIN32
            names.push_back(sys::win32::Narrow(entry.path().filename().wstring()));
#else
            names.push_back(entry.path().filename().string());
#endif
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    // A path as the program spells it (bytes; on Windows in the system code page).
    static std::filesystem::path Native(const std::string& path) {
#ifdef _WIN32
        return sys::win32::Widen(path);
#else
        return path;
#endif
    }

    static constexpr char kSeparator =
        static_cast<char>(std::filesystem::path::preferred_separator);

  private:
    std::filesystem::path m_path;
};

// Makes a folder current for the scope, or with none, puts the current one back after it.
class CurrentFolderScope {
  public:
    CurrentFolderScope() : m_old(std::filesystem::current_path()) {}
    explicit CurrentFolderScope(const std::string& folder) : CurrentFolderScope() {
        std::filesystem::current_path(TempFolder::Native(folder));
    }
    ~CurrentFolderScope() {
        std::error_code ec;
        std::filesystem::current_path(m_old, ec);
    }

  private:
    std::filesystem::path m_old;
};

inline Strings BoxTexts(const ui::Script& script) {
    Strings texts;
    for (const ui::MessageBoxCall& call : script.MessageBoxes()) texts.push_back(call.text);
    return texts;
}

// Every error the script recorded, for a failure message.
inline std::string Errors(const ui::Script& script) {
    return ::testing::PrintToString(script.Errors());
}

// The error box: "ERROR", OK, exclamation icon, owned by `ownerTemplate` (0: none).
inline void ExpectErrorBox(const ui::MessageBoxCall& box, const std::string& text,
                           int ownerTemplate) {
    EXPECT_EQ(std::tie(box.text, box.caption, box.flags, box.ownerTemplate),
              std::tuple(text, "ERROR", ui::MbOk | ui::MbIconExclamation, ownerTemplate));
}

// Every box the script saw was such an error box, with `texts` in order.
inline void ExpectErrorBoxes(const ui::Script& script, const Strings& texts, int ownerTemplate) {
    EXPECT_EQ(BoxTexts(script), texts);
    for (const ui::MessageBoxCall& box : script.MessageBoxes())
        ExpectErrorBox(box, box.text, ownerTemplate);
}

// `step` for the next showing of dialog `templateId` (a `D`), Escape after it if open.
template <class D, class Step>
void OnShow(ui::Script& script, int templateId, Step step) {
    script.OnDialog(templateId, [step](auto& d) {  // a ui::Dialog
        step(static_cast<D&>(d));
        if (!d.IsEnding()) d.PressEscape();
    });
}

}  // namespace test
