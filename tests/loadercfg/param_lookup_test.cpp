#include "loadercfg/param_lookup.h"

#include <gtest/gtest.h>

#include "loadercfg/select_params_dlg.h"
#include "res/resource.h"
#include "tests/loadercfg/temp_folder.h"
#include "ui/script.h"

namespace {

const std::string kHead = "; comment\r\nkelvornpath = C:\\ed\\\r\nkelvornname = ed.exe\r\n";
const ParamEntry kUntouched{"untouched", "as before", 77, 88};

class LookupTest : public ::testing::Test {
  protected:
    LookupResult Lookup(const std::string& file, const std::string& mapPath, unsigned flags = 0) {
        std::string ini = m_dir.Write("kelvorn_loader.ini", file);
        m_result = kUntouched;
        return LookupParams(mapPath, &m_owner, m_result, flags, ini);
    }

    // The one message box shown, checked for its caption, style and owner.
    std::string OnlyMessage() {
        if (m_script.MessageBoxes().size() != 1) {
            ADD_FAILURE() << m_script.MessageBoxes().size() << " message boxes";
            return {};
        }
        const ui::MessageBoxCall& box = m_script.MessageBoxes()[0];
        EXPECT_EQ(box.caption, "ERROR");
        EXPECT_EQ(box.flags, ui::MbOk | ui::MbIconExclamation);
        EXPECT_EQ(box.ownerTemplate, IDD_LOADER);
        return box.text;
    }

    TempFolder m_dir;
    ui::Dialog m_owner{IDD_LOADER};
    ui::Script m_script;
    ParamEntry m_result;
};

TEST_F(LookupTest, EveryFormOfTheMapPathLooksForTheLowerCaseName) {
    std::string file = kHead + "[PARAMS]\r\nduriel.ds1\tDuriel\tact2\\duriel\t46\t481\r\n";
    for (std::string path : {"C:\\Maps\\Duriel.DS1", "maps/duriel.ds1", "Duriel.ds1"}) {
        EXPECT_EQ(Lookup(file, path), LOOKUP_FOUND) << path;
        EXPECT_EQ(m_result, (ParamEntry{"Duriel", "act2\\duriel", 46, 481})) << path;
    }
    EXPECT_TRUE(m_script.MessageBoxes().empty());
    EXPECT_TRUE(m_script.DialogsOpened().empty());
}

TEST_F(LookupTest, MissingFile) {
    m_result = kUntouched;
    EXPECT_EQ(LookupParams("a.ds1", &m_owner, m_result, 0, m_dir.File("kelvorn_loader.ini")),
              LOOKUP_FAILED);
    EXPECT_EQ(OnlyMessage(), "Unable to Open kelvorn_loader.ini");
    EXPECT_EQ(m_result, kUntouched);
}

TEST_F(LookupTest, MissingParamsSection) {
    for (std::string file : {kHead, kHead + " [PARAMS]\r\na.ds1\t1\t2\t3\t4\r\n",
                             kHead + "[Params]\r\na.ds1\t1\t2\t3\t4\r\n", std::string()}) {
        ui::Script script;
        EXPECT_EQ(Lookup(file, "a.ds1"), LOOKUP_FAILED);
        ASSERT_EQ(script.MessageBoxes().size(), 1u);
        EXPECT_EQ(script.MessageBoxes()[0].text,
                  "Unable to Find [PARAMS] Section in kelvorn_loader.ini");
        EXPECT_EQ(m_result, kUntouched);
    }
}

TEST_F(LookupTest, NoFittingRowNamesTheLowerCaseFileName) {
    std::string file = kHead +
                       "[PARAMS]\r\n"
                       "Duriel.ds1\tCapital\tp\t1\t2\r\n"
                       ";duriel.ds1\tCommented\tp\t1\t2\r\n"
                       "xduriel.ds1\tOther\tp\t1\t2\r\n";
    EXPECT_EQ(Lookup(file, "C:\\Maps\\DURIEL.DS1"), LOOKUP_FAILED);
    EXPECT_EQ(OnlyMessage(), "Unable to Find duriel.ds1 in kelvorn_loader.ini");
    EXPECT_EQ(m_result, kUntouched);
}

TEST_F(LookupTest, FourTabsAndNothingElse) {
    EXPECT_EQ(Lookup(kHead + "[PARAMS]\r\nduriel.ds1\t\t\t\t\r\n", "duriel.ds1"), LOOKUP_FOUND);
    EXPECT_EQ(m_result, (ParamEntry{"", "", 0, 0}));
}

TEST_F(LookupTest, TheParamsLineMayCarryTextAndIsItselfExamined) {
    EXPECT_EQ(Lookup(kHead + "[PARAMS] rows follow\r\na.ds1\tA\tp\t1\t2\r\n", "a.ds1"),
              LOOKUP_FOUND);
    // A map named "[" fits the section line, which is no row.
    EXPECT_EQ(Lookup(kHead + "[PARAMS]\r\n", "C:\\maps\\["), LOOKUP_FAILED);
    EXPECT_EQ(OnlyMessage(), "Bad Line in kelvorn_loader.ini: [PARAMS]");
}

// ---- rows that cannot be taken whole, and the empty name ----------------------------

TEST_F(LookupTest, EmptyFileNameIsRefusedBeforeTheFileIsRead) {
    EXPECT_EQ(Lookup(kHead + "[PARAMS]\r\na.ds1\tA\tp\t1\t2\r\n", "C:\\"), LOOKUP_FAILED);
    EXPECT_EQ(OnlyMessage(), "No File Name in \"C:\\\"");
    EXPECT_EQ(m_result, kUntouched);
    EXPECT_TRUE(m_script.DialogsOpened().empty());

    ui::Script script;
    m_result = kUntouched;
    EXPECT_EQ(LookupParams("maps/", &m_owner, m_result, 0, m_dir.File("missing.ini")),
              LOOKUP_FAILED);
    ASSERT_EQ(script.MessageBoxes().size(), 1u);
    EXPECT_EQ(script.MessageBoxes()[0].text, "No File Name in \"maps/\"");
}

TEST_F(LookupTest, AFittingRowWithFewerThanFourTabsIsReported) {
    EXPECT_EQ(Lookup(kHead + "[PARAMS]\r\na.ds1\tA\tp\t1\r\n", "a.ds1"), LOOKUP_FAILED);
    EXPECT_EQ(OnlyMessage(), "Bad Line in kelvorn_loader.ini: a.ds1\tA\tp\t1");
    EXPECT_EQ(m_result, kUntouched);
}

TEST_F(LookupTest, ABadRowAmongSeveralFailsTheLookupWithoutADialog) {
    std::string file =
        kHead + "[PARAMS]\r\na.ds1\tA\tp\t1\t2\r\na.ds1.bak\r\na.ds1\tB\tq\t3\t4\r\n";
    EXPECT_EQ(Lookup(file, "a.ds1"), LOOKUP_FAILED);
    EXPECT_EQ(OnlyMessage(), "Bad Line in kelvorn_loader.ini: a.ds1.bak");
    EXPECT_TRUE(m_script.DialogsOpened().empty());
    EXPECT_EQ(m_result, kUntouched);
}

TEST_F(LookupTest, AColumnLongerThan127CharactersIsReportedNotCut) {
    std::string longPath(128, 'p');
    std::string line = "a.ds1\tA\t" + longPath + "\t1\t2";
    EXPECT_EQ(Lookup(kHead + "[PARAMS]\r\n" + line + "\r\n", "a.ds1"), LOOKUP_FAILED);
    EXPECT_EQ(OnlyMessage(), "Bad Line in kelvorn_loader.ini: " + line);
    EXPECT_EQ(m_result, kUntouched);
}

TEST_F(LookupTest, AVeryLongBadLineIsQuotedInPart) {
    std::string level(1000, 'L');
    EXPECT_EQ(Lookup("[PARAMS]\na.ds1\t" + level + "\tp\t1\t2\n", "a.ds1"), LOOKUP_FAILED);
    EXPECT_EQ(OnlyMessage(),
              "Bad Line in kelvorn_loader.ini: " + ("a.ds1\t" + level).substr(0, 254) + "...");
}

TEST_F(LookupTest, ALineLongerThan254CharactersWithALongCommentIsTakenWhole) {
    std::string level(127, 'L');
    std::string path(127, 'P');
    std::string line = "a.ds1\t" + level + "\t" + path + "\t-12\t34\t" + std::string(600, 'c');
    ASSERT_GT(line.size(), 254u);
    EXPECT_EQ(Lookup(kHead + "[PARAMS]\r\n" + line + "\r\n", "a.ds1"), LOOKUP_FOUND);
    EXPECT_EQ(m_result, (ParamEntry{level, path, -12, 34}));
}

// ---- several fitting rows: the choice dialog ----------------------------------------

const std::string kTwoRows = kHead +
                             "[PARAMS]\r\n"
                             "tomb.ds1\tTomb One\tact2\\tomb1\t10\t-20\r\n"
                             "other.ds1\tOther\tp\t1\t1\r\n"
                             "tomb.ds1.v2\tTomb Two\tact2\\tomb2\t30\t40\tnote\r\n";

TEST_F(LookupTest, SeveralRowsAreOfferedInFileOrderAndTheChosenOneIsTaken) {
    std::vector<ParamEntry> offered;
    std::string title;
    m_script.OnDialog(IDD_SELECT_PARAMS, [&](ui::Dialog& d) {
        auto& dlg = dynamic_cast<CSelectParamsDlg&>(d);
        offered = dlg.Candidates();
        title = d.Window().GetCaption();
        EXPECT_EQ(d.Owner(), &m_owner);
        dlg.m_list.SetSelected(0, false);
        dlg.m_list.SetSelected(1, true);
        d.ClickButton(IDC_SELECT_OK);
    });
    EXPECT_EQ(Lookup(kTwoRows, "C:\\Maps\\TOMB.ds1"), LOOKUP_FOUND);
    EXPECT_EQ(title, "Select the Right \"tomb.ds1\"");
    EXPECT_EQ(offered, (std::vector<ParamEntry>{{"Tomb One", "act2\\tomb1", 10, -20},
                                                {"Tomb Two", "act2\\tomb2", 30, 40}}));
    EXPECT_EQ(m_result, (ParamEntry{"Tomb Two", "act2\\tomb2", 30, 40}));
    EXPECT_TRUE(m_script.Finished()) << ::testing::PrintToString(m_script.Errors());
}

TEST_F(LookupTest, IdenticalRowsStillShowTheDialog) {
    m_script.OnDialog(IDD_SELECT_PARAMS, [](ui::Dialog& d) { d.PressEnter(); });
    std::string row = "a.ds1\tA\tp\t1\t2\r\n";
    EXPECT_EQ(Lookup("[PARAMS]\r\n" + row + row, "a.ds1"), LOOKUP_FOUND);
    EXPECT_EQ(m_result, (ParamEntry{"A", "p", 1, 2}));
    EXPECT_EQ(m_script.DialogsOpened(), std::vector<int>{IDD_SELECT_PARAMS});
    EXPECT_TRUE(m_script.Finished());
}

TEST_F(LookupTest, FlagsReachTheDialog) {
    struct Case {
        unsigned flags;
        bool noSkip, noCancel;
    };
    for (Case c :
         {Case{0, false, false}, Case{LOOKUP_NO_CANCEL, false, true},
          Case{LOOKUP_NO_SKIP, true, false}, Case{LOOKUP_NO_CANCEL | LOOKUP_NO_SKIP, true, true}}) {
        ui::Script script;
        script.OnDialog(IDD_SELECT_PARAMS, [&](ui::Dialog& d) {
            auto& dlg = dynamic_cast<CSelectParamsDlg&>(d);
            EXPECT_EQ(dlg.m_bNoSkip, c.noSkip);
            EXPECT_EQ(dlg.m_bNoCancel, c.noCancel);
            EXPECT_EQ(d.Window().IsItemEnabled(IDC_SKIP), !c.noSkip);
            EXPECT_EQ(d.Window().IsItemEnabled(ui::IdCancel), !c.noCancel);
            d.ClickButton(IDC_SELECT_OK);
        });
        EXPECT_EQ(Lookup(kTwoRows, "tomb.ds1", c.flags), LOOKUP_FOUND) << c.flags;
        EXPECT_TRUE(script.Finished());
    }
}

TEST_F(LookupTest, CancelLeavesTheResultUntouched) {
    m_script.OnDialog(IDD_SELECT_PARAMS, [](ui::Dialog& d) { d.ClickButton(ui::IdCancel); });
    EXPECT_EQ(Lookup(kTwoRows, "tomb.ds1"), LOOKUP_CANCELLED);
    EXPECT_EQ(m_result, kUntouched);
    EXPECT_TRUE(m_script.Finished());
}

TEST_F(LookupTest, SkipLeavesTheResultUntouched) {
    m_script.OnDialog(IDD_SELECT_PARAMS, [](ui::Dialog& d) { d.ClickButton(IDC_SKIP); });
    EXPECT_EQ(Lookup(kTwoRows, "tomb.ds1", LOOKUP_NO_CANCEL), LOOKUP_SKIPPED);
    EXPECT_EQ(m_result, kUntouched);
    EXPECT_TRUE(m_script.Finished());
}

TEST_F(LookupTest, TheFileIsReadAfreshEachTime) {
    EXPECT_EQ(Lookup("[PARAMS]\na.ds1\tA\tp\t1\t2\n", "a.ds1"), LOOKUP_FOUND);
    EXPECT_EQ(Lookup("[PARAMS]\na.ds1\tB\tq\t3\t4\n", "a.ds1"), LOOKUP_FOUND);
    EXPECT_EQ(m_result, (ParamEntry{"B", "q", 3, 4}));
}

TEST_F(LookupTest, AWrittenTableIsFoundByTheLookup) {
    LoaderSettings s;
    s.rows.push_back({"a.ds1", "A", "p", "7", "8", "comment\twith tab"});
    s.rows.push_back({"b.ds1", "B", "q", "9", "10", ""});
    std::string ini = m_dir.File("kelvorn_loader.ini");
    ASSERT_TRUE(WriteLoaderSettings(s, ini));
    ParamEntry r;
    EXPECT_EQ(LookupParams("x/A.DS1", &m_owner, r, 0, ini), LOOKUP_FOUND);
    EXPECT_EQ(r, (ParamEntry{"A", "p", 7, 8}));
    EXPECT_EQ(LookupParams("B.ds1", &m_owner, r, 0, ini), LOOKUP_FOUND);
    EXPECT_EQ(r, (ParamEntry{"B", "q", 9, 10}));
}

}  // namespace
