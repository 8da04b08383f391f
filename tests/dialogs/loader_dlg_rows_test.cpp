// The main window's list: rebuilt from the saved rows, Add, drops, double clicks.
#include "app/layout.h"
#include "tests/dialogs/loader_dlg_fixture.h"

namespace {

// Complete saved rows are shown as they are, even when the table no longer has them; a
// row with a zero number is looked up afresh, each showing, with the choice asked without
// Cancel, and dropped when skipped. The saved rows themselves stay as they were. The list
// has five columns scaled for the screen and selects whole rows.
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
    for (const auto& [answer, twice] : {std::pair{Choose(1, false, true), kRowTwice2},
                                        {Choose(0, false, true), kRowTwice1},
                                        {skip, std::string()}}) {
        Strings expected{kRowA, twice, kept, kRowB, kRowNeg};
        if (twice.empty()) expected.erase(expected.begin() + 1);
        script.OnDialog(IDD_SELECT_PARAMS, answer);
        Show(dlg, [&](CLoaderDlg& d) {
            EXPECT_EQ(Rows(d), expected);
            EXPECT_TRUE(IsCurrentDir(ProgramDir()));
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
    EXPECT_EQ(BoxTexts(), Strings(3, "Unable to Find unknown.ds1 in kelvorn_loader.ini"));
}

// One file or several: rows already listed (in any letter case), paths over 511 bytes and
// maps the table lacks are left out; a map fitting two rows is asked for without Skip, and
// cancelling that choice stops taking the rest of the selection. Several files from a root
// folder are joined with one separator. Two files to 98 rows are taken quietly; of four,
// two are taken and the user told; with a full list Add says so without opening the file
// dialog.
TEST_F(LoaderDlgTest, AddTakesNewMapsUpToOneHundredRows) {
    CLoaderDlg dlg;
    dlg.m_savedRows[0].path = MapPath("b.ds1");
    const std::string deep = "C:\\" + std::string(499, 'f');  // + "\\r001.ds1": 511 bytes
    script.AnswerOpenFile({MapPath("a.ds1")});
    script.AnswerOpenFile({"c:\\MAPS\\B.DS1"});  // the first row, in other letters
    script.AnswerOpenFile({MapPath("twice.ds1")});
    script.CancelFileDialog();
    script.AnswerOpenFiles("C:\\maps", {"a.ds1", "B.ds1", "unknown.ds1", "neg.ds1"});
    script.AnswerOpenFiles("D:\\", {"r001.ds1", "twice.ds1", "r002.ds1"});
    script.AnswerOpenFiles(deep, {"r001.ds1", "twice.ds1", "a.ds1"});
    script.AnswerOpenFile({deep + "\\" + std::string(20, 'x') + "a.ds1"});
    script.AnswerOpenFiles("C:\\maps", {"r100.ds1", "r101.ds1"});
    script.AnswerOpenFiles("C:\\maps", {"r102.ds1", "r103.ds1", "r104.ds1", "r105.ds1"});
    OnMainWindow([&](CLoaderDlg& d) {
        for (int i = 0; i < 8; ++i) d.ChooseMenu(ID_FILE_ADD);
        EXPECT_EQ(Rows(d),
                  (Strings{kRowB, kRowA, kRowTwice2, kRowNeg, "D:\\r001.ds1|Row 1|data\\r|2|201",
                           deep + "\\r001.ds1|Row 1|data\\r|2|201",
                           deep + "\\a.ds1|Act 1 - Town|data\\act1\\town|1|2"}));
        FillRows(d, 91);  // to 98 rows
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
    script.OnDialog(IDD_SELECT_PARAMS, Choose(1, true, false));
    script.OnDialog(IDD_SELECT_PARAMS, Choose(-1, true, false));
    dlg.DoModal();
    test::ExpectErrorBoxes(script,
                           {"Unable to Find unknown.ds1 in kelvorn_loader.ini", kPathTooLongMessage,
                            kPathTooLongMessage, kMaxFilesAddedMessage, kMaxFilesMessage},
                           IDD_LOADER);
}

// Drops skip duplicates, paths over 511 bytes and maps the table lacks, ask with both
// buttons and stop at a cancelled choice. A double click chooses the parameters of its row
// again, without Skip; a failed lookup or a click on empty space leaves the rows as they
// were.
TEST_F(LoaderDlgTest, DropsTakeNewMapsAndDoubleClicksChooseAgain) {
    CLoaderDlg dlg;
    const std::string gone = MapPath("gone.ds1") + "|Kept|data\\kept|5|6";
    dlg.m_savedRows[0] = {MapPath("gone.ds1"), "Kept", "data\\kept", 5, 6};
    const std::string fits = "C:\\" + std::string(502, 'x') + "\\b.ds1";  // 511 bytes
    OnMainWindow([&](CLoaderDlg& d) {
        d.DropFiles({MapPath("a.ds1"), "C:\\MAPS\\a.DS1", "C:\\" + std::string(505, 'x') + ".ds1",
                     MapPath("unknown.ds1"), MapPath("twice.ds1"), MapPath("b.ds1")});
        EXPECT_EQ(Rows(d), (Strings{gone, kRowA}));
        d.DropFiles({MapPath("twice.ds1"), MapPath("b.ds1"), fits});
        for (int row : {2, -1, 0}) d.DoubleClickList(IDC_FILE_LIST, row);
        EXPECT_EQ(Rows(d), (Strings{gone, kRowA, kRowTwice2, kRowB,
                                    fits + "|Act 2 - Desert|data\\act2|3|4"}));
    });
    script.OnDialog(IDD_SELECT_PARAMS, Choose(-1, false, false));
    script.OnDialog(IDD_SELECT_PARAMS, Choose(0, false, false));
    script.OnDialog(IDD_SELECT_PARAMS, Choose(1, true, false));
    dlg.DoModal();
    EXPECT_EQ(BoxTexts(), (Strings{"Unable to Find unknown.ds1 in kelvorn_loader.ini",
                                   "Unable to Find gone.ds1 in kelvorn_loader.ini"}));
}

}  // namespace
