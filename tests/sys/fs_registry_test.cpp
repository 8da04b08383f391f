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
