// The parameter choice dialog, driven through a test script on either backend.
#include <algorithm>

#include "loadercfg/select_params_dlg.h"
#include "res/resource.h"
#include "tests/common/helpers.h"

namespace {

class SelectParamsTest : public ::testing::Test {
  protected:
    SelectParamsTest() {
        m_dlg.m_strTitle = "Select the Right \"tomb.ds1\"";
        m_dlg.AddCandidate("Tomb One", "act2\\tomb1", 10, -20);
        m_dlg.AddCandidate("A much longer level name", "p", -5, 7);
        m_dlg.AddCandidate("Tomb Three", "data\\global\\tiles\\act2\\tomb\\three", 30, 40);
    }

    // Runs the dialog with `step`; the script must have used every step and answer.
    intptr_t Run(ui::Script::Step step) {
        m_script.OnDialog(IDD_SELECT_PARAMS, std::move(step));
        intptr_t code = m_dlg.DoModal();
        EXPECT_TRUE(m_script.Finished()) << test::Errors(m_script);
        return code;
    }

    ui::Dialog m_owner{IDD_LOADER};
    CSelectParamsDlg m_dlg{&m_owner};
    ui::Script m_script;
};

TEST_F(SelectParamsTest, OpensWithTitleColumnsRowsAndTheFirstRowSelected) {
    intptr_t code = Run([this](ui::Dialog& d) {
        ui::WindowPort& w = d.Window();
        EXPECT_EQ(w.GetCaption(), "Select the Right \"tomb.ds1\"");
        test::Strings titles, rows;
        for (int c = 0; c < w.LvGetColumnCount(IDC_PARAM_LIST); ++c)
            titles.push_back(w.LvGetColumnTitle(IDC_PARAM_LIST, c));
        EXPECT_EQ(titles, (test::Strings{"Name", "Path", "LvlType ID", "LvlPrest DEF"}));
        for (int i = 0; i < w.LvGetItemCount(IDC_PARAM_LIST); ++i)
            for (int c = 0; c < 4; ++c) rows.push_back(w.LvGetItemText(IDC_PARAM_LIST, i, c));
        EXPECT_EQ(rows, (test::Strings{"Tomb One", "act2\\tomb1", "10", "-20",
                                       "A much longer level name", "p", "-5", "7", "Tomb Three",
                                       "data\\global\\tiles\\act2\\tomb\\three", "30", "40"}));
        EXPECT_EQ(w.LvGetNextSelected(IDC_PARAM_LIST, -1), 0);
        EXPECT_EQ(w.LvGetNextSelected(IDC_PARAM_LIST, 0), -1);
        EXPECT_EQ(w.GetFocus(), IDC_PARAM_LIST);
        EXPECT_EQ(w.LvGetExtendedStyle(IDC_PARAM_LIST) & ui::LvsExFullRowSelect,
                  ui::LvsExFullRowSelect);
        for (int id : {IDC_SKIP, ui::IdCancel, IDC_SELECT_OK}) EXPECT_TRUE(w.IsItemEnabled(id));
        // Each column is as wide as its widest measured text.
        auto widest = [&](std::initializer_list<const char*> texts) {
            int width = 0;
            for (const char* t : texts) width = std::max(width, w.MeasureText(IDC_PARAM_LIST, t));
            return width;
        };
        int name = widest({"Tomb One", "A much longer level name", "Tomb Three"});
        EXPECT_GT(name, w.MeasureText(IDC_PARAM_LIST, "Tomb Three"));
        EXPECT_EQ(w.LvGetColumnWidth(IDC_PARAM_LIST, 0), name);
        EXPECT_EQ(w.LvGetColumnWidth(IDC_PARAM_LIST, 1),
                  widest({"act2\\tomb1", "p", "data\\global\\tiles\\act2\\tomb\\three"}));
        EXPECT_EQ(w.LvGetColumnWidth(IDC_PARAM_LIST, 2), widest({"LvlType ID"}));
        EXPECT_EQ(w.LvGetColumnWidth(IDC_PARAM_LIST, 3), widest({"LvlPrest DEF"}));
        d.PressEnter();
    });
    EXPECT_EQ(code, ui::IdOk);
    EXPECT_FALSE(m_dlg.m_bSkipped);
    EXPECT_EQ(m_dlg.m_chosen, (ParamEntry{"Tomb One", "act2\\tomb1", 10, -20}));
}

TEST_F(SelectParamsTest, OkWithoutSelectionComplainsAndStaysOpen) {
    m_script.AnswerMessageBox(ui::IdOk);
    intptr_t code = Run([this](ui::Dialog& d) {
        m_dlg.m_list.SetSelected(0, false);
        d.ClickButton(IDC_SELECT_OK);
        EXPECT_FALSE(d.IsEnding());
        ASSERT_EQ(m_script.MessageBoxes().size(), 1u);
        test::ExpectErrorBox(m_script.MessageBoxes()[0], "No File in List Selected",
                             IDD_SELECT_PARAMS);
        // Enter, which the platform may send as IdOk, must not end it either.
        d.PressEnter();
        EXPECT_FALSE(d.IsEnding());
        EXPECT_EQ(m_script.MessageBoxes().size(), 2u);
        m_dlg.m_list.SetSelected(2, true);
        d.ClickButton(IDC_SELECT_OK);
    });
    EXPECT_EQ(code, ui::IdOk);
    EXPECT_FALSE(m_dlg.m_bSkipped);
    EXPECT_EQ(m_dlg.m_chosen,
              (ParamEntry{"Tomb Three", "data\\global\\tiles\\act2\\tomb\\three", 30, 40}));
}

// Skip ends with OK, Cancel and Escape with Cancel; none chooses anything, and the skip
// mark of an earlier showing is cleared when the dialog opens.
TEST_F(SelectParamsTest, SkipCancelAndEscapeChooseNothing) {
    struct Case {
        bool skippedBefore;
        ui::Script::Step step;
        intptr_t code;
        bool skipped;
    };
    const Case cases[] = {
        {false, [](ui::Dialog& d) { d.ClickButton(IDC_SKIP); }, ui::IdOk, true},
        {true, [](ui::Dialog& d) { d.ClickButton(ui::IdCancel); }, ui::IdCancel, false},
        {true, [](ui::Dialog& d) { d.PressEscape(); }, ui::IdCancel, false},
    };
    for (const Case& c : cases) {
        m_dlg.m_bSkipped = c.skippedBefore;
        EXPECT_EQ(Run(c.step), c.code);
        EXPECT_EQ(m_dlg.m_bSkipped, c.skipped);
        EXPECT_EQ(m_dlg.m_chosen, ParamEntry{});
    }
}

TEST_F(SelectParamsTest, FlagsGreyTheButtons) {
    struct Case {
        bool noSkip, noCancel;
    };
    for (Case c : {Case{true, false}, Case{false, true}, Case{true, true}}) {
        CSelectParamsDlg dlg(&m_owner);
        dlg.AddCandidate("A", "a", 1, 2);
        dlg.AddCandidate("B", "b", 3, 4);
        dlg.m_bNoSkip = c.noSkip;
        dlg.m_bNoCancel = c.noCancel;
        m_script.OnDialog(IDD_SELECT_PARAMS, [&](ui::Dialog& d) {
            EXPECT_EQ(d.Window().IsItemEnabled(IDC_SKIP), !c.noSkip);
            EXPECT_EQ(d.Window().IsItemEnabled(ui::IdCancel), !c.noCancel);
            EXPECT_TRUE(d.Window().IsItemEnabled(IDC_SELECT_OK));
            // Commands of greyed buttons, or Escape for a greyed Cancel, change nothing.
            if (c.noSkip) d.ClickButton(IDC_SKIP);
            if (c.noCancel) d.PressEscape();
            EXPECT_FALSE(d.IsEnding());
            d.ClickButton(IDC_SELECT_OK);
        });
        EXPECT_EQ(dlg.DoModal(), ui::IdOk);
        EXPECT_FALSE(dlg.m_bSkipped);
        EXPECT_EQ(dlg.m_chosen, (ParamEntry{"A", "a", 1, 2}));
    }
    EXPECT_TRUE(m_script.Finished()) << test::Errors(m_script);
}

}  // namespace
