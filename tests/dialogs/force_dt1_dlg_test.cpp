// The forced .dt1 list: rebuilt from its slots, Add, Remove, drops, OK and Escape.
#include "app/force_dt1_dlg.h"

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
    void Show(std::function<void(CForceDt1Dlg&)> step) {
        test::OnShow<CForceDt1Dlg>(script, IDD_FORCE_DT1, step);
        dlg.DoModal();
    }
    void TearDown() override { EXPECT_TRUE(script.Finished()) << test::Errors(script); }
    ui::Script script;
    CForceDt1Dlg dlg;
};

// Showing lists the saved slots; Escape keeps them, OK saves the items, the rest emptied.
// Remove and the Delete key take the selected items, quiet with none.
TEST_F(ForceDt1Test, OnlyOkSavesTheListWithTheRestOfTheSlotsEmptied) {
    for (int slot : {0, 3, 31}) dlg.m_dt1Files[slot] = Tile(slot);
    dlg.m_nDt1Count = 3;
    for (bool ok : {false, true}) {
        script.AnswerOpenFile({Tile(7)});
        Show([ok](CForceDt1Dlg& d) {
            EXPECT_EQ(Items(d), (Strings{Tile(0), Tile(3), Tile(31)}));
            d.ClickButton(IDC_REMOVE);
            d.PressKey(IDC_DT1_LIST, ui::VkDelete);
            for (int i : {0, 2}) d.m_listDt1.SetSel(i, true);
            ok ? d.PressKey(IDC_DT1_LIST, ui::VkDelete) : d.ClickButton(IDC_REMOVE);
            d.ClickButton(IDC_ADD);
            if (ok) d.PressEnter();
        });
    }
    EXPECT_EQ(dlg.m_dt1Files, (decltype(dlg.m_dt1Files){Tile(3), Tile(7)}));
    EXPECT_EQ(dlg.m_nDt1Count, 2);
    EXPECT_TRUE(script.MessageBoxes().empty());
}

// Add and drops leave out listed paths (any case) and paths over 511 bytes (Add tells),
// scroll by the widest item less 100, and stop at 32 files; full, Add says so.
TEST_F(ForceDt1Test, AddAndDropsTakeNewPathsThatFitUpToThirtyTwoFiles) {
    dlg.m_dt1Files[0] = "c:\\t\\a.dt1";
    const std::string folder = "C:\\" + std::string(500, 'f');                // 503 bytes
    const std::string single = folder + "\\" + std::string(3, 's') + ".dt1";  // 511 bytes
    Strings forty, tail{Tile(1), "C:\\any.txt", Tile(0)};
    for (int i = 0; i < 40; ++i) forty.push_back(Tile(i));
    for (int i = 2; i < 24; ++i) tail.push_back(Tile(i));
    script.AnswerOpenFile({"C:\\t\\A.DT1"});
    script.AnswerOpenFiles("C:\\T", {"A.dt1", "b.dt1", "B.DT1"});
    script.AnswerOpenFiles(folder, {"abc.dt1", "abcd.dt1", "c.dt1"});  // 511, 512, 509
    script.AnswerOpenFile({single});
    script.AnswerOpenFile({single + "x"});
    script.AnswerOpenFiles("C:\\tiles", {"t40.dt1", "t41.dt1", "t42.dt1", "t43.dt1"});
    Show([&](CForceDt1Dlg& d) {
        EXPECT_EQ(d.m_listDt1.GetHorizontalExtent(), 0);
        d.DropFiles({single});
        EXPECT_EQ(d.m_listDt1.GetHorizontalExtent(), d.m_listDt1.MeasureText(single) - 100);
        d.m_listDt1.SetSel(1, true);
        d.ClickButton(IDC_REMOVE);
        EXPECT_EQ(d.m_listDt1.GetHorizontalExtent(), 0);
        for (int i = 0; i < 5; ++i) d.ClickButton(IDC_ADD);
        EXPECT_EQ(Items(d), (Strings{"c:\\t\\a.dt1", "C:\\T\\b.dt1", folder + "\\abc.dt1",
                                     folder + "\\c.dt1", single}));
        d.DropFiles({Tile(1), "C:\\TILES\\T1.DT1", single + "x", single, "C:\\any.txt"});
        d.DropFiles(forty);
        d.DropFiles({"C:\\more.dt1"});
        for (int i : {30, 31}) d.m_listDt1.SetSel(i, true);
        d.ClickButton(IDC_REMOVE);
        d.ClickButton(IDC_ADD);
        d.ClickButton(IDC_ADD);  // no file answer queued
        tail.insert(tail.end(), {Tile(40), Tile(41)});
        const Strings items = Items(d);
        EXPECT_EQ(Strings(items.begin() + 5, items.end()), tail);
    });
    test::ExpectErrorBoxes(script, {kPathTooLongMessage, kPathTooLongMessage, kMaxDt1Message},
                           IDD_FORCE_DT1);
}

}  // namespace
