// The real common file dialogs and folder browser, driven in process through a CBT hook:
// a full path typed into the file-name box and OK pressed, as a user would.
#include <windows.h>
#undef SetCurrentDirectory  // sys::SetCurrentDirectory, not the platform's macro

#include "sys/fs.h"
#include "tests/common/helpers.h"
#include "tests/win32/file_dialog_driver.h"
#include "ui/backend.h"
#include "ui/win32/util.h"

namespace kelvorn_test {
namespace {

std::wstring W(const std::string& s) {
    return ui::win32::Widen(s);
}

class Win32FileDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        maps.Write("a.ds1", "x");
        maps.Write(kOther, "x");
        m_start = std::filesystem::current_path();
        ASSERT_TRUE(sys::SetCurrentDirectory(elsewhere.Path()));
    }
    void TearDown() override {
        // The dialogs never leave the current directory changed.
        EXPECT_EQ(sys::CurrentDirectory(4096), elsewhere.Path());
        std::filesystem::current_path(m_start);
    }
    ui::OpenFileOptions Options(bool multi) {
        ui::OpenFileOptions o;
        o.filters = {{"Diablo II Map (*.ds1)", "*.ds1"}, {"Any File (*.*)", "*.*"}};
        o.multiSelect = multi;
        o.fileMustExist = true;
        return o;
    }
    const std::string kOther = "\xe9t\xe9 \x80.ds1";  // "été €.ds1" in Windows-1252
    test::TempFolder maps, elsewhere;

  private:
    std::filesystem::path m_start;
};

TEST_F(Win32FileDialog, OneFileIsAFullPathAndSeveralComeAsFolderAndNames) {
    const struct {
        bool multi;
        std::wstring entry;
        std::string folder;
        std::vector<std::string> names, paths;
    } cases[] = {
        {false, W(maps.Path(kOther)), "", {}, {maps.Path(kOther)}},
        {true, W(maps.Path("a.ds1")), "", {}, {maps.Path("a.ds1")}},
        {true,
         W("\"" + kOther + "\" \"a.ds1\""),
         maps.Path(),
         {kOther, "a.ds1"},
         {maps.Path(kOther), maps.Path("a.ds1")}},
    };
    Probe owner(IDD_LOADER);
    RunInside(owner, [&] {
        for (const auto& c : cases) {
            ui::OpenFileOptions o = Options(c.multi);
            o.initialFolder = maps.Path();
            DialogDriver drive(c.entry);
            ui::FileDialogResult r = ui::backend::FileDialog(&owner, o, false);
            EXPECT_EQ(drive.owner, Hwnd(owner));
            ASSERT_TRUE(r.confirmed);
            EXPECT_EQ(r.folder, c.folder);
            EXPECT_EQ(r.names, c.names);
            EXPECT_EQ(r.paths, c.paths);
            EXPECT_TRUE(drive.prompts.empty());
        }
    });
}

// A new file goes without a question; replacing one asks first. A cancelled folder
// browser gives nothing.
TEST_F(Win32FileDialog, SaveAsksBeforeReplacingAFile) {
    ui::OpenFileOptions o;
    o.filters = {{"All Files (*.*)", "*.*"}};
    for (const char* name : {"new.bat", "a.ds1"}) {
        DialogDriver drive(W(maps.Path(name)));
        ui::FileDialogResult r = ui::backend::FileDialog(nullptr, o, true);
        ASSERT_TRUE(r.confirmed);
        EXPECT_EQ(r.paths, std::vector<std::string>{maps.Path(name)});
        EXPECT_EQ(drive.prompts.size(), name[0] == 'a' ? 1u : 0u) << name;
    }
    DialogDriver drive(L"");
    EXPECT_EQ(ui::backend::BrowseFolder(nullptr, "Select your Mod Directory"), std::nullopt);
    EXPECT_NE(drive.dialog, nullptr);  // it really was up
}

}  // namespace
}  // namespace kelvorn_test
