// The parameter choice dialog, driven through a test script on either backend.
#include "loadercfg/select_params_dlg.h"
#include "res/resource.h"
#include "tests/common/helpers.h"

namespace {

const ParamEntry kThree{"Tomb Three", "data\\global\\tiles\\act2\\tomb\\three", 30, 40};

// Titled, rows in order, columns as wide as their widest text; the first row selected so
// Enter takes it, a skip mark cleared. Grayed Skip and Cancel do nothing; OK and Enter
// without a selection say so.
TEST(SelectParamsDialog, OnlyOkOrEnterWithARowChoosesAndGrayedButtonsDoNothing) {
    ui::Dialog owner{IDD_LOADER};
    CSelectParamsDlg dlg{&owner};
    dlg.m_strTitle = "Select the Right \"tomb.ds1\"";
    dlg.AddCandidate("Tomb One", "act2\\tomb1", 10, -20);
    dlg.AddCandidate("A much longer level name", "p", -5, 7);
    dlg.AddCandidate(kThree.levelName, kThree.gamePath, 30, 40);
    ui::Script script;
    auto opened = [](ui::WindowPort& w) {
        EXPECT_EQ(w.GetCaption(), "Select the Right \"tomb.ds1\"");
        test::Strings cells;
        for (int c = 0; c < w.LvGetColumnCount(IDC_PARAM_LIST); ++c)
            cells.push_back(w.LvGetColumnTitle(IDC_PARAM_LIST, c));
        for (int i = 0; i < w.LvGetItemCount(IDC_PARAM_LIST); ++i)
            for (int c = 0; c < 4; ++c) cells.push_back(w.LvGetItemText(IDC_PARAM_LIST, i, c));
        EXPECT_EQ(cells, (test::Strings{"Name", "Path", "LvlType ID", "LvlPrest DEF", "Tomb One",
                                        "act2\\tomb1", "10", "-20", "A much longer level name", "p",
                                        "-5", "7", kThree.levelName, kThree.gamePath, "30", "40"}));
        int c = 0;
        for (const char* widest :
             {"A much longer level name", kThree.gamePath.c_str(), "LvlType ID", "LvlPrest DEF"})
            EXPECT_EQ(w.LvGetColumnWidth(IDC_PARAM_LIST, c++),
                      w.MeasureText(IDC_PARAM_LIST, widest));
        EXPECT_EQ(w.GetFocus(), IDC_PARAM_LIST);
        EXPECT_TRUE(w.LvGetExtendedStyle(IDC_PARAM_LIST) & ui::LvsExFullRowSelect);
    };
    const struct {
        bool noSkip, noCancel;
        ui::Script::Step step;
        std::string chosen;
    } cases[] = {
        {false, false, [](ui::Dialog& d) { d.PressEnter(); }, "Tomb One"},
        {true, false, [](ui::Dialog& d) { d.ClickButton(IDC_SKIP); }, "Tomb One"},
        {false, true, [](ui::Dialog& d) { d.ClickButton(ui::IdCancel); }, "Tomb One"},
        {false, false,
         [&dlg](ui::Dialog& d) {
             dlg.m_list.SetSelected(0, false);
             d.ClickButton(IDC_SELECT_OK);
             d.PressEnter();
             dlg.m_list.SetSelected(2, true);
         },
         kThree.levelName},
    };
    for (const auto& c : cases) {
        dlg.m_bSkipped = true;  // from an earlier showing
        dlg.m_bNoSkip = c.noSkip;
        dlg.m_bNoCancel = c.noCancel;
        script.OnDialog(IDD_SELECT_PARAMS, [&](ui::Dialog& d) {
            opened(d.Window());
            EXPECT_EQ(d.Window().IsItemEnabled(IDC_SKIP), !c.noSkip);
            EXPECT_EQ(d.Window().IsItemEnabled(ui::IdCancel), !c.noCancel);
            c.step(d);
            if (!d.IsEnding()) d.ClickButton(IDC_SELECT_OK);
        });
        EXPECT_EQ(dlg.DoModal(), ui::IdOk);
        EXPECT_FALSE(dlg.m_bSkipped);
        EXPECT_EQ(dlg.m_chosen.levelName, c.chosen);
    }
    test::ExpectErrorBoxes(script, test::Strings(2, "No File in List Selected"), IDD_SELECT_PARAMS);
    EXPECT_TRUE(script.Finished()) << test::Errors(script);
}

}  // namespace
