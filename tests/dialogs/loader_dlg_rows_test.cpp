// The main window's list: rebuilt from the saved rows, Add, drops, double clicks.
#include "app/layout.h"
#include "tests/dialogs/loader_dlg_fixture.h"

namespace {

// Complete saved rows show as they are; others are looked up each showing (no Cancel),
// dropped when skipped, the saved rows untouched. Five scaled columns, whole rows selected.
TEST_F(LoaderDlgTest, EachShowingRebuildsTheListFromTheSavedRows) {
    CLoaderDlg dlg;
    dlg.m_savedRows[0].path = MapPath("a.ds1");
    dlg.m_savedRows[1].path = MapPath("twice.ds1");
    dlg.m_savedRows[2] = {MapPath("gone.ds1"), "Kept", "data\\kept", 5, 6};
    dlg.m_savedRows[3].path = MapPath("unknown.ds1");
    dlg.m_savedRows[4] = {MapPath("b.ds1"), "Old", "data\\old", 0, 9};
    dlg.m_savedRows[99].path = MapPath("neg.ds1");
    const auto saved = dlg.m_savedRows;
    const std::string kept = MapPath("gone.ds1") + "|Kept|data\\kept|5|6";
    const ui::Script::Step skip = [](ui::Dialog& d) { d.ClickButton(IDC_SKIP); };
    for (const auto& [answer, twice] :
         {std::pair{Choose(1, false, true), kRowTwice2}, {skip, std::string()}}) {
        Strings expected{kRowA, twice, kept, kRowB, kRowNeg};
        if (twice.empty()) expected.erase(expected.begin() + 1);
        script.OnDialog(IDD_SELECT_PARAMS, answer);
        Show(dlg, [&](CLoaderDlg& d) {
            EXPECT_EQ(Rows(d), expected);
            const int dpi = d.Window().GetDpi();
            const char* titles[] = {"File", "Name", "Game Path", "LvlType ID", "LvlPrest Def"};
            const int widthsAt96[] = {200, 90, 70, 64, 70};
            for (int c = 0; c < 5; ++c) {
                EXPECT_EQ(d.Window().LvGetColumnTitle(IDC_FILE_LIST, c), titles[c]);
                EXPECT_EQ(d.m_listFiles.GetColumnWidth(c), ScaleForDpi(widthsAt96[c], dpi)) << c;
            }
            EXPECT_TRUE(d.Window().LvGetExtendedStyle(IDC_FILE_LIST) & ui::LvsExFullRowSelect);
        });
        EXPECT_EQ(dlg.m_savedRows, saved);
    }
    test::ExpectErrorBoxes(script, Strings(2, "Unable to Find unknown.ds1 in kelvorn_loader.ini"),
                           IDD_LOADER);
}

// Add and drops leave out listed rows (any case), paths over 511 bytes and unknown maps; a
// cancelled choice stops the rest. A double click chooses again. Past 100 rows the user is
// told; full, Add says so without a file dialog.
TEST_F(LoaderDlgTest, AddAndDropsTakeNewMapsUpToOneHundredRowsAndDoubleClicksChooseAgain) {
    CLoaderDlg dlg;
    dlg.m_savedRows[0].path = MapPath("b.ds1");
    dlg.m_savedRows[1] = {MapPath("gone.ds1"), "Kept", "data\\kept", 5, 6};
    const std::string deep = "C:\\" + std::string(499, 'f');  // + "\\r001.ds1": 511 bytes
    const std::string fits = "C:\\" + std::string(502, 'x') + "\\b.ds1";  // 511 bytes
    script.AnswerOpenFile({MapPath("a.ds1")});
    script.AnswerOpenFile({"c:\\MAPS\\B.DS1"});  // the first row, in other letters
    script.AnswerOpenFile({MapPath("twice.ds1")});
    script.CancelFileDialog();
    script.AnswerOpenFiles("C:\\maps", {"a.ds1", "B.ds1", "unknown.ds1", "neg.ds1"});
    script.AnswerOpenFiles("D:\\", {"r001.ds1", "twice.ds1", "r002.ds1"});  // one separator
    script.AnswerOpenFiles(deep, {"r001.ds1", "twice.ds1", "a.ds1"});
    script.AnswerOpenFile({deep + "\\" + std::string(20, 'x') + "a.ds1"});
    script.AnswerOpenFiles("C:\\maps", {"r100.ds1", "r101.ds1"});
    script.AnswerOpenFiles("C:\\maps", {"r102.ds1", "r103.ds1", "r104.ds1", "r105.ds1"});
    OnMainWindow([&](CLoaderDlg& d) {
        for (int i = 0; i < 8; ++i) d.ChooseMenu(ID_FILE_ADD);
        d.DropFiles({"C:\\MAPS\\A.ds1", "C:\\" + std::string(505, 'x') + ".ds1",
                     MapPath("unknown.ds1"), "E:\\twice.ds1", "E:\\b.ds1"});
        d.DropFiles({"E:\\twice.ds1", fits});
        for (int row : {8, -1, 1}) d.DoubleClickList(IDC_FILE_LIST, row);
        EXPECT_EQ(Rows(d), (Strings{kRowB, MapPath("gone.ds1") + "|Kept|data\\kept|5|6", kRowA,
                                    kRowTwice2, kRowNeg, "D:\\r001.ds1|Row 1|data\\r|2|201",
                                    deep + "\\r001.ds1|Row 1|data\\r|2|201",
                                    deep + "\\a.ds1|Act 1 - Town|data\\act1\\town|1|2",
                                    "E:\\twice.ds1|Second|data\\two|12|13",
                                    fits + "|Act 2 - Desert|data\\act2|3|4"}));
        FillRows(d, 88);  // to 98 rows
        d.ChooseMenu(ID_FILE_ADD);
        for (int i : {0, 1}) d.m_listFiles.SetSelected(i, true);
        d.ChooseMenu(ID_FILE_REMOVE);
        d.ChooseMenu(ID_FILE_ADD);
        d.ChooseMenu(ID_FILE_ADD);  // no file answer queued
        const Strings rows = Rows(d, 1);
        EXPECT_EQ(Strings(rows.end() - 4, rows.end()),
                  (Strings{RowMap(100), RowMap(101), RowMap(102), RowMap(103)}));
        EXPECT_EQ(rows.size(), 100u);
    });
    // Add's two choices, then the two drops' and the double click's.
    for (auto [index, noSkip] : std::vector<std::pair<int, bool>>{
             {1, true}, {-1, true}, {-1, false}, {0, false}, {1, true}})
        script.OnDialog(IDD_SELECT_PARAMS, Choose(index, noSkip, false));
    dlg.DoModal();
    const std::string unknown = "Unable to Find unknown.ds1 in kelvorn_loader.ini";
    test::ExpectErrorBoxes(
        script,
        {unknown, kPathTooLongMessage, kPathTooLongMessage, unknown,
         "Unable to Find gone.ds1 in kelvorn_loader.ini", kMaxFilesAddedMessage, kMaxFilesMessage},
        IDD_LOADER);
}

}  // namespace
