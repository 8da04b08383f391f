// The forced .dt1 list: rebuilt from its slots, Add, Remove, drops, OK and Escape.
#include "app/force_dt1_dlg.h"

#include <functional>

#include "app/file_list_entry.h"
#include "res/resource.h"
#include "tests/common/helpers.h"

namespace {

using test::Strings;

std::string Tile(int i) {
    return "C:\\tiles\\t" + std::to_string(i) + ".dt1";
}

Strings Items(CForceDt1Dlg& d) {
    Strings items;
    for (int i = 0; i < d.m_listDt1.GetCount(); ++i) items.push_back(d.m_listDt1.GetText(i));
    return items;
}

class ForceDt1Test : public ::testing::Test {
  protected:
    // Shows the dialog once with `step` inside; Escape after it unless it ended the dialog.
    intptr_t Show(std::function<void(CForceDt1Dlg&)> step) {
        script.OnDialog(IDD_FORCE_DT1, [step](ui::Dialog& d) {
            step(static_cast<CForceDt1Dlg&>(d));
            if (!d.IsEnding()) d.PressEscape();
        });
        return dlg.DoModal();
    }
    Strings BoxTexts() const { return test::BoxTexts(script); }
    ui::Script script;
    CForceDt1Dlg dlg;
};

// Remove takes every selected item, and is quiet without a selection.
TEST_F(ForceDt1Test, OkSavesTheListAndEmptiesTheRestOfTheSlots) {
    for (int i = 0; i < 5; ++i) dlg.m_dt1Files[i] = Tile(i);
    dlg.m_nDt1Count = 5;
    script.AnswerOpenFile({Tile(7)});
    EXPECT_EQ(Show([](CForceDt1Dlg& d) {
                  d.ClickButton(IDC_REMOVE);  // nothing selected: quietly nothing
                  for (int i : {0, 1, 4}) d.m_listDt1.SetSel(i, true);
                  d.ClickButton(IDC_REMOVE);
                  d.ClickButton(IDC_ADD);
                  d.PressEnter();
              }),
              ui::IdOk);
    EXPECT_EQ(dlg.m_nDt1Count, 3);
    Strings expected(kMaxDt1Files);
    expected[0] = Tile(2);
    expected[1] = Tile(3);
    expected[2] = Tile(7);
    EXPECT_EQ(Strings(dlg.m_dt1Files.begin(), dlg.m_dt1Files.end()), expected);
    EXPECT_TRUE(BoxTexts().empty());
}

// Showing lists the saved slots in order, gaps left out.
TEST_F(ForceDt1Test, EscapeKeepsTheOldListForTheNextShowing) {
    dlg.m_dt1Files[0] = Tile(0);
    dlg.m_dt1Files[3] = Tile(3);
    dlg.m_dt1Files[31] = Tile(31);
    dlg.m_nDt1Count = 3;
    script.AnswerOpenFiles("C:\\tiles", {"t1.dt1", "t2.dt1"});
    Strings during, reopened;
    Show([&](CForceDt1Dlg& d) {
        d.ClickButton(IDC_ADD);
        during = Items(d);
    });
    Show([&](CForceDt1Dlg& d) { reopened = Items(d); });
    EXPECT_EQ(during, (Strings{Tile(0), Tile(3), Tile(31), Tile(1), Tile(2)}));
    EXPECT_EQ(reopened, (Strings{Tile(0), Tile(3), Tile(31)}));
    EXPECT_EQ(dlg.m_nDt1Count, 3);
    EXPECT_TRUE(script.Finished()) << test::Errors(script);
}

// Also leaves out paths longer than 511 characters, one file or several, and says so once
// for each Add.
TEST_F(ForceDt1Test, AddIgnoresPathsAlreadyListedInAnyCase) {
    dlg.m_dt1Files[0] = "c:\\t\\a.dt1";
    const std::string folder = "C:\\" + std::string(500, 'f');  // 503 bytes
    const std::string single = folder + "\\s.dt1";              // 509 bytes
    script.AnswerOpenFile({"C:\\t\\A.DT1"});
    script.AnswerOpenFiles("C:\\T", {"A.dt1", "b.dt1", "B.DT1"});
    script.AnswerOpenFiles(folder, {"abc.dt1", "abcd.dt1", "c.dt1"});  // 511, 512, 509
    script.AnswerOpenFile({single});
    script.AnswerOpenFile({single + "xxx"});  // 512 bytes
    Strings items;
    Show([&](CForceDt1Dlg& d) {
        for (int i = 0; i < 5; ++i) d.ClickButton(IDC_ADD);
        items = Items(d);
    });
    EXPECT_EQ(items, (Strings{"c:\\t\\a.dt1", "C:\\T\\b.dt1", folder + "\\abc.dt1",
                              folder + "\\c.dt1", single}));
    EXPECT_EQ(BoxTexts(), (Strings{kPathTooLongMessage, kPathTooLongMessage}));
}

TEST_F(ForceDt1Test, AddStopsAtThirtyTwoFiles) {
    for (int i = 0; i < 30; ++i) dlg.m_dt1Files[i] = Tile(i);
    script.AnswerOpenFiles("C:\\tiles", {"t40.dt1", "t41.dt1", "t42.dt1", "t43.dt1"});
    Strings items;
    Show([&](CForceDt1Dlg& d) {
        d.ClickButton(IDC_ADD);  // two of four taken, the rest dropped silently
        d.ClickButton(IDC_ADD);  // full: the message, and no file dialog
        items = Items(d);
    });
    ASSERT_EQ(items.size(), 32u);
    EXPECT_EQ(items[30], Tile(40));
    EXPECT_EQ(items[31], Tile(41));
    ASSERT_EQ(script.MessageBoxes().size(), 1u);
    test::ExpectErrorBox(script.MessageBoxes()[0], kMaxDt1Message, IDD_FORCE_DT1);
    EXPECT_TRUE(script.Finished()) << test::Errors(script);
}

// Drops skip duplicates and paths of 512 bytes or more, and stop at 32 files silently.
TEST_F(ForceDt1Test, DropsSkipDuplicatesAndLongPathsAndStopAtThirtyTwo) {
    std::string longPath = "C:\\" + std::string(505, 'x') + ".dt1";  // 512 bytes
    std::string fits = "C:\\" + std::string(504, 'x') + ".dt1";      // 511 bytes
    Strings forty, expected{Tile(1), fits, "C:\\any.txt"};
    for (int i = 0; i < 40; ++i) forty.push_back(Tile(i));
    for (int i = 0; expected.size() < 32; ++i)
        if (i != 1) expected.push_back(Tile(i));
    Strings items, afterFull;
    Show([&](CForceDt1Dlg& d) {
        d.DropFiles({Tile(1), "C:\\TILES\\T1.DT1", longPath, fits, "C:\\any.txt"});
        d.DropFiles(forty);
        items = Items(d);
        d.DropFiles({"C:\\more.dt1"});
        afterFull = Items(d);
    });
    EXPECT_EQ(items, expected);
    EXPECT_EQ(afterFull, expected);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(ForceDt1Test, HorizontalExtentFollowsTheWidestItemLessOneHundred) {
    int shortExtent = -1, wideExtent = -1, wideWidth = 0, afterRemove = -1;
    std::string wide = "C:\\" + std::string(200, 'w') + ".dt1";
    Show([&](CForceDt1Dlg& d) {
        d.DropFiles({"a.dt1"});
        shortExtent = d.m_listDt1.GetHorizontalExtent();
        wideWidth = d.m_listDt1.MeasureText(wide);
        d.DropFiles({wide});
        wideExtent = d.m_listDt1.GetHorizontalExtent();
        d.m_listDt1.SetSel(1, true);
        d.ClickButton(IDC_REMOVE);
        afterRemove = d.m_listDt1.GetHorizontalExtent();
    });
    EXPECT_EQ(shortExtent, 0);
    ASSERT_GT(wideWidth, 100);
    EXPECT_EQ(wideExtent, wideWidth - 100);
    EXPECT_EQ(afterRemove, 0);
}

}  // namespace
