#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "sys/fs.h"
#include "sys/registry.h"

namespace {

namespace fs = std::filesystem;

class TempDir : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("kelvorn-sys-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

TEST_F(TempDir, AtomicWriteReplacesTheWholeFileAndLeavesNoTemporary) {
    std::string path = (dir / "kelvorn.ini").string();
    ASSERT_TRUE(sys::WriteFileAtomically(path, "old\r\ncontent\r\n"));
    ASSERT_TRUE(sys::WriteFileAtomically(path, "new\r\n"));
    std::string bytes;
    ASSERT_TRUE(sys::ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes, "new\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(TempDir, FailedAtomicWriteLeavesTheOldFileByteForByte) {
    std::string path = (dir / "kelvorn_loader.ini").string();
    ASSERT_TRUE(sys::WriteFileAtomically(path, "kelvornpath = C:\\ed\\\r\n"));
    // A folder where the temporary file would go makes the write fail, even for root.
    fs::create_directory(path + ".kelvorn-tmp");
    EXPECT_FALSE(sys::WriteFileAtomically(path, "lost"));
    std::string bytes;
    ASSERT_TRUE(sys::ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes, "kelvornpath = C:\\ed\\\r\n");
}

TEST_F(TempDir, WriteIntoAMissingFolderFailsWithoutCreatingAnything) {
    EXPECT_FALSE(sys::WriteFileAtomically((dir / "no" / "such.ini").string(), "x"));
    EXPECT_FALSE(fs::exists(dir / "no"));
}

TEST_F(TempDir, DirectoriesAndExistence) {
    auto before = sys::CurrentDirectory(4096);
    ASSERT_TRUE(before);
    ASSERT_TRUE(sys::SetCurrentDirectory(dir.string()));
    EXPECT_EQ(sys::CurrentDirectory(4096), fs::canonical(dir).string());
    EXPECT_FALSE(sys::CurrentDirectory(3));  // longer than allowed
    EXPECT_FALSE(sys::FileExists("missing.ds1"));
    ASSERT_TRUE(sys::WriteFileAtomically("present.ds1", ""));
    EXPECT_TRUE(sys::FileExists("present.ds1"));
    EXPECT_FALSE(sys::FileExists(dir.string()));  // a folder is no file
    std::string bytes = "untouched";
    EXPECT_FALSE(sys::ReadWholeFile("missing.ds1", bytes));
    ASSERT_TRUE(sys::SetCurrentDirectory(*before));
    EXPECT_FALSE(sys::SetCurrentDirectory((dir / "nowhere").string()));
}

// A stamp names the file and its state; a rewrite, a replacement or a removal changes it.
TEST_F(TempDir, StampsTellFileStatesApart) {
    const std::string path = (dir / "kelvorn_loader.ini").string();
    EXPECT_FALSE(sys::StampOf(path));
    EXPECT_FALSE(sys::StampOf(dir.string()));  // a folder is no file
    ASSERT_TRUE(sys::WriteFileAtomically(path, "[PARAMS]\r\n"));
    const auto first = sys::StampOf(path);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->size, 10u);
    EXPECT_LE(first->writeTime, first->takenAt);
    ASSERT_TRUE(sys::WriteFileAtomically(path, "[PARAMS]\n\n"));  // same size, another file
    const auto second = sys::StampOf(path);
    ASSERT_TRUE(second);
    EXPECT_NE(second->fileId, first->fileId);
    fs::remove(path);
    EXPECT_FALSE(sys::StampOf(path));
}

// Equal stamps vouch for the bytes only once the file had been left alone long enough
// before the first was taken: a write within the file system's resolution keeps times.
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

TEST(MemoryRegistry, KeysAreCaseInsensitiveAndValuesPerKey) {
    sys::MemoryRegistry reg;
    bool created = false;
    ASSERT_TRUE(reg.CreateKey(sys::RegRoot::ClassesRoot, ".ds1", created));
    EXPECT_TRUE(created);
    ASSERT_TRUE(reg.CreateKey(sys::RegRoot::ClassesRoot, ".DS1", created));
    EXPECT_FALSE(created);
    EXPECT_FALSE(reg.ReadString(sys::RegRoot::ClassesRoot, ".ds1", ""));
    EXPECT_TRUE(reg.WriteString(sys::RegRoot::ClassesRoot, ".ds1", "", "DiabloIIMap"));
    EXPECT_EQ(reg.ReadString(sys::RegRoot::ClassesRoot, ".Ds1", ""), "DiabloIIMap");
    EXPECT_FALSE(reg.KeyExists(sys::RegRoot::LocalMachine, ".ds1"));
    EXPECT_FALSE(reg.WriteString(sys::RegRoot::ClassesRoot, "missing", "", "x"));
}

TEST(MemoryRegistry, DeniedKeysRefuseCreationBelowThem) {
    sys::MemoryRegistry reg;
    reg.DenyKey(sys::RegRoot::ClassesRoot, "DiabloIIMap\\shell");
    bool created = false;
    EXPECT_TRUE(reg.CreateKey(sys::RegRoot::ClassesRoot, "DiabloIIMap", created));
    EXPECT_FALSE(reg.CreateKey(sys::RegRoot::ClassesRoot, "DiabloIIMap\\shell\\open", created));
    EXPECT_FALSE(reg.CreateKey(sys::RegRoot::ClassesRoot, "DiabloIIMap\\Shell", created));
    EXPECT_TRUE(reg.CreateKey(sys::RegRoot::ClassesRoot, "DiabloIIMap\\shellex", created));
}

}  // namespace
