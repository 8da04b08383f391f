// The main window's list: rebuilt from the saved rows, Add, Remove, drops, double clicks.
#include "app/layout.h"
#include "tests/dialogs/loader_dlg_fixture.h"

namespace {

TEST_F(LoaderDlgTest, ShowingRebuildsTheListFromTheSavedRows) {
    CLoaderDlg dlg;
    dlg.m_savedRows[0].path = MapPath("a.ds1");
    // Complete rows are shown as they are, even when the table no longer has them.
    dlg.m_savedRows[2] = {MapPath("gone.ds1"), "Kept", "data\\kept", 5, 6};
    dlg.m_savedRows[3].path = MapPath("unknown.ds1");
    // A zero number makes the row incomplete: it is looked up afresh.
    dlg.m_savedRows[4] = {MapPath("b.ds1"), "Old", "data\\old", 0, 9};
    dlg.m_savedRows[99].path = MapPath("neg.ds1");
    const auto saved = dlg.m_savedRows;

    Strings rows, titles;
    std::vector<int> widths;
    unsigned style = 0;
    int dpi = 96;
    bool inProgramDir = false;
    Show(dlg, [&](CLoaderDlg& d) {
        rows = Rows(d);
        for (int c = 0; c < 5; ++c) {
            titles.push_back(d.Window().LvGetColumnTitle(IDC_FILE_LIST, c));
            widths.push_back(d.m_listFiles.GetColumnWidth(c));
        }
        style = d.Window().LvGetExtendedStyle(IDC_FILE_LIST);
        dpi = d.Window().GetDpi();
        inProgramDir = WorkingDirIsProgramDir();
    });

    EXPECT_EQ(rows, (Strings{
                        kRowA,
                        MapPath("gone.ds1") + "|Kept|data\\kept|5|6",
                        MapPath("b.ds1") + "|Act 2 - Desert|data\\act2|3|4",
                        MapPath("neg.ds1") + "|Negative|data\\neg|7|4294967295",
                    }));
    EXPECT_EQ(titles, (Strings{"File", "Name", "Game Path", "LvlType ID", "LvlPrest Def"}));
    std::vector<int> expected;
    for (int at96 : {200, 90, 70, 64, 70}) expected.push_back(ScaleForDpi(at96, dpi));
    EXPECT_EQ(widths, expected);
    EXPECT_TRUE(style & ui::LvsExFullRowSelect);
    EXPECT_TRUE(inProgramDir);
    EXPECT_EQ(BoxTexts(), (Strings{"Unable to Find unknown.ds1 in kelvorn_loader.ini"}));
    EXPECT_EQ(dlg.m_savedRows, saved);
    EXPECT_TRUE(script.Finished()) << test::Errors(script);
}

TEST_F(LoaderDlgTest, RebuildAsksWithoutCancelAgainEachShowingAndDropsASkippedRow) {
    CLoaderDlg dlg;
    dlg.m_savedRows[0].path = MapPath("twice.ds1");
    dlg.m_savedRows[1].path = MapPath("a.ds1");
    const std::string& a = kRowA;
    ChoiceProbe first, second;
    script.OnDialog(IDD_SELECT_PARAMS, first.Choose(1));
    Strings rows;
    Show(dlg, [&](CLoaderDlg& d) { rows = Rows(d); });
    EXPECT_TRUE(first.noCancel);
    EXPECT_FALSE(first.noSkip);
    EXPECT_EQ(rows, (Strings{MapPath("twice.ds1") + "|Second|data\\two|12|13", a}));

    // The saved row still has no parameters: the next showing asks again.
    script.OnDialog(IDD_SELECT_PARAMS, second.Choose(0));
    Show(dlg, [&](CLoaderDlg& d) { rows = Rows(d); });
    EXPECT_TRUE(second.opened);
    EXPECT_EQ(rows, (Strings{MapPath("twice.ds1") + "|First|data\\one|10|11", a}));

    script.OnDialog(IDD_SELECT_PARAMS, [](ui::Dialog& d) { d.ClickButton(IDC_SKIP); });
    Show(dlg, [&](CLoaderDlg& d) { rows = Rows(d); });
    EXPECT_EQ(rows, (Strings{a}));
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_TRUE(script.Finished()) << test::Errors(script);
}

// One file or several: rows already listed (in any letter case) and maps the table lacks
// are left out, a map that fits two rows is asked for without Skip, and cancelling that
// choice stops taking the rest of the selection. Several files from a root folder are
// joined with one separator.
TEST_F(LoaderDlgTest, AddTakesNewMapsOnly) {
    CLoaderDlg dlg;
    dlg.m_savedRows[0].path = MapPath("b.ds1");
    ChoiceProbe chosen, cancelled;
    script.AnswerOpenFile({MapPath("a.ds1")});
    script.AnswerOpenFile({"c:\\MAPS\\A.DS1"});
    script.AnswerOpenFile({MapPath("twice.ds1")});
    script.CancelFileDialog();
    script.AnswerOpenFiles("C:\\maps", {"a.ds1", "B.ds1", "unknown.ds1", "neg.ds1"});
    script.AnswerOpenFiles("D:\\", {"r001.ds1", "twice.ds1", "r002.ds1"});
    Strings rows;
    OnMainWindow([&](CLoaderDlg& d) {
        for (int i = 0; i < 6; ++i) d.ChooseMenu(ID_FILE_ADD);
        rows = Rows(d);
    });
    script.OnDialog(IDD_SELECT_PARAMS, chosen.Choose(1));
    script.OnDialog(IDD_SELECT_PARAMS, cancelled.Cancel());
    dlg.DoModal();
    EXPECT_EQ(rows, (Strings{MapPath("b.ds1") + "|Act 2 - Desert|data\\act2|3|4", kRowA,
                             MapPath("twice.ds1") + "|Second|data\\two|12|13",
                             MapPath("neg.ds1") + "|Negative|data\\neg|7|4294967295",
                             "D:\\r001.ds1|Row 1|data\\r|2|201"}));
    EXPECT_TRUE(chosen.noSkip && cancelled.noSkip);
    EXPECT_FALSE(chosen.noCancel);
    EXPECT_EQ(BoxTexts(), (Strings{"Unable to Find unknown.ds1 in kelvorn_loader.ini"}));
    EXPECT_TRUE(script.Finished()) << test::Errors(script);
}

// Two files to 98 rows are taken quietly; of five, two are taken and the user told; with a
// full list Add says so without opening the file dialog.
TEST_F(LoaderDlgTest, AddStopsAtOneHundredRows) {
    for (const Strings& names : {Strings{"r100.ds1", "r101.ds1"},
                                 Strings{"r100.ds1", "r101.ds1", "r102.ds1", "r103.ds1"}}) {
        CLoaderDlg dlg;
        script.AnswerOpenFiles("C:\\maps", names);
        const bool tooMany = names.size() > 2;
        int count = -1, countAfterFullAdd = -1;
        std::string last;
        Show(dlg, [&](CLoaderDlg& d) {
            FillRows(d, 98);
            d.ChooseMenu(ID_FILE_ADD);
            count = d.m_listFiles.GetItemCount();
            last = d.m_listFiles.GetItemText(99, 0);
            if (tooMany) d.ChooseMenu(ID_FILE_ADD);
            countAfterFullAdd = d.m_listFiles.GetItemCount();
        });
        EXPECT_EQ(count, 100);
        EXPECT_EQ(countAfterFullAdd, 100);
        EXPECT_EQ(last, RowMap(101));
        // No file answer was queued for the second Add: a file dialog would be an error.
        EXPECT_TRUE(script.Finished()) << test::Errors(script);
    }
    EXPECT_EQ(BoxTexts(), (Strings{kMaxFilesAddedMessage, kMaxFilesMessage}));
}

TEST_F(LoaderDlgTest, AddLeavesOutPathsLongerThan511Characters) {
    CLoaderDlg dlg;
    // 502 + '\' + "a.ds1" is 508 bytes; with "r001.ds1" 511; with "twice.ds1" 512.
    std::string folder = "C:\\" + std::string(499, 'f');
    script.AnswerOpenFiles(folder, {"a.ds1", "r001.ds1", "twice.ds1"});
    script.AnswerOpenFile({folder + "\\" + std::string(20, 'x') + "a.ds1"});
    Strings paths;
    Show(dlg, [&](CLoaderDlg& d) {
        d.ChooseMenu(ID_FILE_ADD);
        d.ChooseMenu(ID_FILE_ADD);
        paths = Rows(d, 1);
    });
    EXPECT_EQ(paths, (Strings{folder + "\\a.ds1", folder + "\\r001.ds1"}));
    EXPECT_EQ(paths[1].size(), 511u);
    EXPECT_EQ(BoxTexts(), (Strings{kPathTooLongMessage, kPathTooLongMessage}));
    EXPECT_TRUE(script.Finished()) << test::Errors(script);
}

TEST_F(LoaderDlgTest, RemoveTakesEverySelectedRowOrSaysNoneIsSelected) {
    CLoaderDlg dlg;
    Strings left;
    Show(dlg, [&](CLoaderDlg& d) {
        d.ChooseMenu(ID_FILE_REMOVE);  // empty list, nothing selected
        FillRows(d, 5);
        d.ChooseMenu(ID_FILE_REMOVE);
        d.m_listFiles.SetSelected(0, true);
        d.m_listFiles.SetSelected(2, true);
        d.m_listFiles.SetSelected(3, true);
        d.ChooseMenu(ID_FILE_REMOVE);
        left = Rows(d, 1);
    });
    EXPECT_EQ(left, (Strings{RowMap(1), RowMap(4)}));
    EXPECT_EQ(BoxTexts(), (Strings{kNoItemsSelectedMessage, kNoItemsSelectedMessage}));
    for (const ui::MessageBoxCall& box : script.MessageBoxes())
        test::ExpectErrorBox(box, kNoItemsSelectedMessage, IDD_LOADER);
}

// Drops skip duplicates, paths over 511 bytes and maps the table lacks, ask with both buttons, stop
// at a cancelled choice, and stop at one hundred rows silently.
TEST_F(LoaderDlgTest, DropsTakeNewMapsUpToOneHundredRows) {
    CLoaderDlg dlg;
    ChoiceProbe cancelled, chosen;
    const std::string fits = "C:\\" + std::string(502, 'x') + "\\b.ds1";  // 511 bytes
    Strings afterCancel, paths;
    int afterFill = -1;
    OnMainWindow([&](CLoaderDlg& d) {
        d.DropFiles({MapPath("a.ds1"), "C:\\MAPS\\a.DS1", "C:\\" + std::string(505, 'x') + ".ds1",
                     MapPath("unknown.ds1"), MapPath("twice.ds1"), MapPath("b.ds1")});
        afterCancel = Rows(d, 1);
        d.DropFiles({MapPath("twice.ds1"), MapPath("b.ds1"), fits});
        paths = Rows(d, 1);
        FillRows(d, 99);
        afterFill = d.m_listFiles.GetItemCount();
    });
    script.OnDialog(IDD_SELECT_PARAMS, cancelled.Cancel());
    script.OnDialog(IDD_SELECT_PARAMS, chosen.Choose(0));
    dlg.DoModal();
    EXPECT_EQ(afterCancel, Strings{MapPath("a.ds1")});
    EXPECT_EQ(paths, (Strings{MapPath("a.ds1"), MapPath("twice.ds1"), MapPath("b.ds1"), fits}));
    EXPECT_FALSE(cancelled.noSkip || cancelled.noCancel || chosen.noSkip || chosen.noCancel);
    EXPECT_TRUE(chosen.opened);
    EXPECT_EQ(afterFill, 100);
    EXPECT_EQ(BoxTexts(), (Strings{"Unable to Find unknown.ds1 in kelvorn_loader.ini"}));
    EXPECT_TRUE(script.Finished()) << test::Errors(script);
}

// When the lookup fails the row is kept as it was.
TEST_F(LoaderDlgTest, DoubleClickChoosesTheParametersOfARowAgain) {
    CLoaderDlg dlg;
    dlg.m_savedRows[0] = {MapPath("twice.ds1"), "First", "data\\one", 10, 11};
    dlg.m_savedRows[1] = {MapPath("gone.ds1"), "Kept", "data\\kept", 5, 6};
    ChoiceProbe choice;
    Strings rows, afterEmptySpace, afterFailure;
    OnMainWindow([&](CLoaderDlg& d) {
        d.DoubleClickList(IDC_FILE_LIST, 0);
        rows = Rows(d);
        d.DoubleClickList(IDC_FILE_LIST, -1);
        afterEmptySpace = Rows(d);
        d.DoubleClickList(IDC_FILE_LIST, 1);
        afterFailure = Rows(d);
    });
    script.OnDialog(IDD_SELECT_PARAMS, choice.Choose(1));
    dlg.DoModal();
    EXPECT_EQ(rows, (Strings{MapPath("twice.ds1") + "|Second|data\\two|12|13",
                             MapPath("gone.ds1") + "|Kept|data\\kept|5|6"}));
    EXPECT_TRUE(choice.noSkip);
    EXPECT_EQ(afterEmptySpace, rows);
    EXPECT_EQ(afterFailure, rows);
    EXPECT_EQ(BoxTexts(), (Strings{"Unable to Find gone.ds1 in kelvorn_loader.ini"}));
    EXPECT_TRUE(script.Finished()) << test::Errors(script);
}

}  // namespace
