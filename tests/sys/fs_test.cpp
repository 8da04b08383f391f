// sys/fs.h on either system: natively on POSIX, under Wine through the wide Windows API.
#include "sys/fs.h"

#include <atomic>
#include <thread>
#include <tuple>

#include "tests/common/helpers.h"

namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
const std::string kName = "carte \xe9t\xe9 \x80.ini";  // "carte été €.ini" in Windows-1252
#else
const std::string kName = "carte \xc3\xa9t\xc3\xa9 \xd0\x96.ini";  // "carte été Ж.ini"
#endif

const auto Native = &test::TempFolder::Native;

class FsTest : public ::testing::Test {
  protected:
    test::TempFolder folder;
    test::CurrentFolderScope m_keepCurrentFolder;  // let go of `folder` first
};

// Each limit counts bytes (on Windows in the code page).
TEST_F(FsTest, CurrentDirectoryAndProgramPathWithTheirLimits) {
    ASSERT_TRUE(sys::SetCurrentDirectory(folder.Path()));
    const std::string here = sys::CurrentDirectory(4096).value_or("");
    EXPECT_TRUE(fs::equivalent(Native(here), Native(folder.Path())));
    const std::string program = sys::ProgramFilePath(4096).value_or("");
    EXPECT_TRUE(fs::is_regular_file(Native(program)));
    for (const auto& [get, path] :
         {std::pair{&sys::CurrentDirectory, here}, std::pair{&sys::ProgramFilePath, program}}) {
        EXPECT_EQ(get(path.size()), path);
        EXPECT_EQ(get(path.size() - 1), std::nullopt);
    }
    EXPECT_FALSE(sys::SetCurrentDirectory(folder.Path("missing")));
    EXPECT_FALSE(sys::SetCurrentDirectory(""));
    EXPECT_EQ(sys::CurrentDirectory(4096), here);
}

// Created, then replaced by other texts, nothing left over; only files exist and are read.
// Names at the limits save too: 250 bytes, and a full path of 259 characters (MAX_PATH).
TEST_F(FsTest, AtomicWritesAndReadsOfWholeFiles) {
    const std::string bytes = std::string("line 1\r\nline 2\n") + '\0' + "zero\xff\xfe end";
    const std::size_t fill = 259 - folder.Path().size() - 1;
    for (const std::string& name : {std::string(250, 'n'), std::string(fill, 'p'), kName}) {
        for (const std::string& text : {bytes, std::string("short\r\n"),
                                        std::string(3 << 20, 'k') + "\r\nend", std::string()}) {
            ASSERT_TRUE(sys::WriteFileAtomically(folder.Path(name), text));
            EXPECT_EQ(folder.Names(), test::Strings{name});
            std::string got = "old";
            ASSERT_TRUE(sys::ReadWholeFile(folder.Path(name), got));
            EXPECT_EQ(got, text);
        }
        if (name != kName) fs::remove(Native(folder.Path(name)));
    }
    EXPECT_TRUE(sys::FileExists(folder.Path(kName)));
    for (const std::string& none : {folder.Path(), folder.Path("none.ini"), std::string()})
        EXPECT_FALSE(sys::FileExists(none)) << none;
    std::string got = "kept";
    EXPECT_FALSE(sys::ReadWholeFile(folder.Path("none.ini"), got));
    EXPECT_EQ(got, "kept");
    // A bare name, as settings files are named, is in the current directory.
    ASSERT_TRUE(sys::SetCurrentDirectory(folder.Path()));
    EXPECT_TRUE(sys::FileExists(kName));
    ASSERT_TRUE(sys::WriteFileAtomically(kName, "new\r\n"));
    EXPECT_EQ(folder.Read(kName), "new\r\n");
}

// Two writers saving one file at once: every save succeeds, the file holds one whole text.
TEST_F(FsTest, TwoWritersNeverShareTheirBytesAndAFailedWriteLeavesTheOldFile) {
    const std::string path = folder.Path(kName);
    const std::string texts[] = {std::string(300000, 'a'), std::string(200000, 'b')};
    std::atomic<int> saved[2] = {0, 0};
    auto writer = [&](int w) {
        for (int i = 0; i < 12; ++i) saved[w] += sys::WriteFileAtomically(path, texts[w]);
    };
    std::thread first(writer, 0), second(writer, 1);
    first.join();
    second.join();
    const std::string now = folder.Read(kName);
    ASSERT_TRUE(now == texts[0] || now == texts[1]) << now.size();
    EXPECT_EQ(saved[0] + saved[1], 24);
    EXPECT_EQ(folder.Names(), test::Strings{kName});

    // A failed save leaves the old file and nothing else: a missing folder, a folder in the
    // file's place, a read-only file (which Windows does not replace).
    const std::string inMissing = folder.Path("missing") + test::TempFolder::kSeparator + kName;
    EXPECT_FALSE(sys::WriteFileAtomically(inMissing, "new"));
    const std::string old = "old contents\r\n";
    ASSERT_TRUE(sys::WriteFileAtomically(folder.Path(kName), old));
    fs::create_directory(Native(folder.Path("taken")));
    EXPECT_FALSE(sys::WriteFileAtomically(folder.Path("taken"), "new"));
    EXPECT_TRUE(fs::is_directory(Native(folder.Path("taken"))));
    fs::permissions(Native(folder.Path(kName)), fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_FALSE(sys::WriteFileAtomically(folder.Path(kName), "new contents\r\n"));
    fs::permissions(Native(folder.Path(kName)), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(folder.Read(kName), old);
    EXPECT_EQ(folder.Names(), (test::Strings{kName, "taken"}));
}

// A stamp names the file and its state; a rewrite, a replacement or a removal changes it.
TEST_F(FsTest, StampsTellFileStatesApart) {
    const std::string path = folder.Path("kelvorn_loader.ini");
    EXPECT_FALSE(sys::StampOf(path));
    EXPECT_FALSE(sys::StampOf(folder.Path()));  // a folder is no file
    ASSERT_TRUE(sys::WriteFileAtomically(path, "[PARAMS]\r\n"));
    const auto first = sys::StampOf(path);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->size, 10u);
    EXPECT_LE(first->writeTime, first->takenAt);
    ASSERT_TRUE(sys::WriteFileAtomically(path, "[PARAMS]\n\n"));  // same size, another file
    const auto second = sys::StampOf(path);
    ASSERT_TRUE(second);
#ifndef _WIN32  // Windows stamps carry no file id; the settle rule covers it there
    EXPECT_NE(second->fileId, first->fileId);
#endif
    fs::remove(Native(path));
    EXPECT_FALSE(sys::StampOf(path));
}

// Equal stamps vouch for the bytes only of a file left alone long enough before the first.
TEST(FileStamp, SameBytesOnlyForASettledUnchangedFile) {
    const int64_t s = sys::kTicksPerSecond;
    const sys::FileStamp settled{1, 7, 100, 50 * s, 50 * s, 60 * s};
    auto with = [&](auto change) {
        sys::FileStamp stamp = settled;
        change(stamp);
        return stamp;
    };
    struct Case {
        const char* what;
        sys::FileStamp before, now;
        bool same;
    };
    const Case cases[] = {
        {"unchanged, taken later", settled, with([&](auto& t) { t.takenAt = 90 * s; }), true},
        {"another file", settled, with([](auto& t) { t.fileId = 8; }), false},
        {"another volume", settled, with([](auto& t) { t.volume = 2; }), false},
        {"another size", settled, with([](auto& t) { t.size = 101; }), false},
        {"written", settled, with([&](auto& t) { t.writeTime = 61 * s; }), false},
        {"write time set back", settled, with([&](auto& t) { t.otherTime = 61 * s; }), false},
        {"changed just before the first stamp",
         with([&](auto& t) { t.takenAt = 50 * s + sys::kSettleTicks; }), settled, false},
        {"other time later than the write", with([&](auto& t) { t.otherTime = 58 * s; }),
         with([&](auto& t) { t.otherTime = 58 * s; }), false},
        {"times ahead of our clock", with([&](auto& t) { t.writeTime = 70 * s; }),
         with([&](auto& t) { t.writeTime = 70 * s; }), false},
    };
    for (const Case& c : cases) EXPECT_EQ(sys::SameBytes(c.before, c.now), c.same) << c.what;
}

#ifndef _WIN32
// Without Windows only A to Z fold (the code page's letters: sys_win32_test.cpp).
TEST(SamePathIgnoringCase, FoldsAsciiLettersOnly) {
    // clang-format off
    const std::tuple<const char*, const char*, bool> cases[] = {
        {R"(C:\t\A.DT1)", R"(c:\t\a.dt1)", true}, {"", "", true},
        {R"(C:\t\a.dt1)", R"(C:\t\a.dt)", false}, {R"(C:\t\a.dt1)", R"(C:\t\b.dt1)", false},
        {"[", "{", false}, {"@", "`", false},  // not letters: 0x5B/0x7B and 0x40/0x60 differ
        {"a\xE9", "A\xE9", true}, {"a\xE9", "a\xC9", false}};
    // clang-format on
    for (const auto& [a, b, same] : cases)
        EXPECT_EQ(sys::SamePathIgnoringCase(a, b), same) << a << b;
}
#endif

}  // namespace
