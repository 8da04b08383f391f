// sys/fs.h on Windows: paths in the code page through the wide API, and atomic saves.
#include "sys/fs.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/win32/ui_fixture.h"

namespace kelvorn_test {
namespace {

namespace fs = std::filesystem;

const std::string kName = "carte \xe9t\xe9 \x80.ini";  // "carte été €.ini" in Windows-1252

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> Listing(const TempFolder& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.Native("")))
        names.push_back(ui::win32::Narrow(entry.path().filename().wstring()));
    std::sort(names.begin(), names.end());
    return names;
}

// Every test leaves the current directory where it found it.
class Win32Fs : public ::testing::Test {
  protected:
    void SetUp() override { m_start = fs::current_path(); }
    void TearDown() override { fs::current_path(m_start); }
    TempFolder folder;

  private:
    fs::path m_start;
};

TEST_F(Win32Fs, CurrentDirectoryAndProgramPathWithTheirLimits) {
    ASSERT_TRUE(sys::SetCurrentDirectory(folder.Path()));
    wchar_t own[4096];
    DWORD n = GetModuleFileNameW(nullptr, own, 4096);
    // Each limit counts the bytes in the code page, one for each letter here.
    for (const auto& [get, expected] :
         {std::pair{&sys::CurrentDirectory, folder.Path()},
          std::pair{&sys::ProgramFilePath, ui::win32::Narrow(own, static_cast<int>(n))}}) {
        EXPECT_EQ(get(4096), expected);
        EXPECT_EQ(get(expected.size()), expected);
        EXPECT_EQ(get(expected.size() - 1), std::nullopt);
    }
    EXPECT_EQ(fs::current_path(), fs::path(ui::win32::Widen(folder.Path())));
    EXPECT_FALSE(sys::SetCurrentDirectory(folder.Path("missing")));
    EXPECT_FALSE(sys::SetCurrentDirectory(""));
    EXPECT_EQ(sys::CurrentDirectory(4096), folder.Path());
}

TEST_F(Win32Fs, FileExistsAndReadWholeFileOnlyForFiles) {
    std::string bytes("line 1\r\nline 2\n\0zero\xff\xfe end", 28);
    Put(folder.Native(kName), bytes);
    Put(folder.Native("empty.ini"), "");
    EXPECT_TRUE(sys::FileExists(folder.Path(kName)));
    EXPECT_FALSE(sys::FileExists(folder.Path()));  // a folder is no file
    EXPECT_FALSE(sys::FileExists(folder.Path("none.ini")));
    EXPECT_FALSE(sys::FileExists(""));
    std::string got = "old";
    ASSERT_TRUE(sys::ReadWholeFile(folder.Path(kName), got));
    EXPECT_EQ(got, bytes);
    ASSERT_TRUE(sys::ReadWholeFile(folder.Path("empty.ini"), got));
    EXPECT_EQ(got, "");
    got = "kept";
    EXPECT_FALSE(sys::ReadWholeFile(folder.Path("none.ini"), got));
    EXPECT_FALSE(sys::ReadWholeFile(folder.Path(), got));
    EXPECT_EQ(got, "kept");
    // Relative to the current directory.
    ASSERT_TRUE(sys::SetCurrentDirectory(folder.Path()));
    EXPECT_TRUE(sys::FileExists(kName));
}

TEST_F(Win32Fs, AtomicWriteCreatesAndReplaces) {
    // Created, replaced by a shorter, a larger and an empty text.
    for (const std::string& text :
         {std::string("[PARAMS]\r\nfirst line\r\n"), std::string("short\r\n"),
          std::string(3 << 20, 'k') + "\r\nend", std::string()}) {
        ASSERT_TRUE(sys::WriteFileAtomically(folder.Path(kName), text));
        EXPECT_EQ(Slurp(folder.Native(kName)), text);
        EXPECT_EQ(Listing(folder), std::vector<std::string>{kName});  // no temporary file left
    }
}

TEST_F(Win32Fs, FailedWriteLeavesTheOldFile) {
    // The folder is missing: nothing is created anywhere.
    EXPECT_FALSE(sys::WriteFileAtomically(folder.Path("missing\\" + kName), "new"));
    EXPECT_FALSE(fs::exists(folder.Native("missing")));

    // The temporary file cannot be made: the old file stays byte for byte.
    std::string old = "old contents\r\n";
    Put(folder.Native(kName), old);
    fs::create_directory(folder.Native(kName + ".kelvorn-tmp"));
    EXPECT_FALSE(sys::WriteFileAtomically(folder.Path(kName), "new contents\r\n"));
    EXPECT_EQ(Slurp(folder.Native(kName)), old);
    fs::remove(folder.Native(kName + ".kelvorn-tmp"));

    // A folder stands where the file should go.
    fs::create_directory(folder.Native("taken"));
    EXPECT_FALSE(sys::WriteFileAtomically(folder.Path("taken"), "new"));
    EXPECT_TRUE(fs::is_directory(folder.Native("taken")));

    // A read-only file is not replaced, and no temporary file is left behind.
    std::wstring target = folder.Native(kName).wstring();
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(sys::WriteFileAtomically(folder.Path(kName), "new contents\r\n"));
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Slurp(folder.Native(kName)), old);
    EXPECT_EQ(Listing(folder), (std::vector<std::string>{kName, "taken"}));
}

}  // namespace
}  // namespace kelvorn_test
