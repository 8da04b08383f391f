#include "loadercfg/param_lookup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "loadercfg/loader_settings.h"
#include "loadercfg/select_params_dlg.h"
#include "res/resource.h"
#include "tests/common/helpers.h"

namespace {

const std::string kHead = "; comment\r\nkelvornpath = C:\\ed\\\r\nkelvornname = ed.exe\r\n";
const ParamEntry kUntouched{"untouched", "as before", 77, 88};

class LookupTest : public ::testing::Test {
  protected:
    // Looks `mapPath` up in a table of `file` (none: no file at all).
    LookupResult Lookup(const std::optional<std::string>& file, const std::string& mapPath,
                        unsigned flags = 0) {
        const std::string ini =
            file ? m_dir.Write("kelvorn_loader.ini", *file) : m_dir.Path("missing.ini");
        m_result = kUntouched;
        return LookupParams(mapPath, &m_owner, m_result, flags, ini);
    }

    test::TempFolder m_dir;
    ui::Dialog m_owner{IDD_LOADER};
    ParamEntry m_result;
};

// One fitting row is taken without asking. Each failure is told in one box and leaves the
// result: no file, no "[PARAMS]", no fitting row or only bad ones (long ones quoted in
// part), no file name. Bad rows beside good ones are told once; the good ones count.
TEST_F(LookupTest, EveryOutcomeOfALookup) {
    const std::string level(127, 'L'), path(127, 'P');
    const std::string longLine =
        "a.ds1\t" + level + "\t" + path + "\t-12\t34\t" + std::string(600, 'c');
    const std::string longLevel = "a.ds1\t" + std::string(1000, 'L');
    const std::string params = kHead + "[PARAMS]\r\n";
    const std::string duriel = "duriel.ds1\tDuriel\tact2\t49\t481\r\n";
    const std::string other = "duriel.ds1\tOther\tact5\t1\t2\r\n";
    const std::string bak = "duriel.ds1.bak\told one\r\n";
    const std::string wide = "duriel.ds1.v2\t" + std::string(128, 'L') + "\tp\t1\t2";
    const std::string noParams = "Unable to Find [PARAMS] Section in kelvorn_loader.ini";
    const std::string bad = "Bad Line in kelvorn_loader.ini: ";
    const ParamEntry found{"Duriel", "act2", 49, 481};
    struct Case {
        std::optional<std::string> file;
        std::string mapPath;
        std::optional<ParamEntry> entry;  // none: the lookup fails
        std::string message = {};         // the one box, if any
        int offered = 0;                  // rows in the choice dialog, 0 when it does not open
    };
    std::vector<Case> cases = {
        {params + duriel, "C:\\Maps\\Duriel.DS1", found},
        {params + duriel, "maps/duriel.ds1", found},
        {params + "duriel.ds1\t\t\t\t\r\n", "duriel.ds1", ParamEntry{"", "", 0, 0}},
        {kHead + "[PARAMS] rows follow\r\na.ds1\tA\tp\t1\t2\r\n", "a.ds1",
         ParamEntry{"A", "p", 1, 2}},
        {"[PARAMS]\na.ds1\tB\tq\t3\t4\n", "a.ds1", ParamEntry{"B", "q", 3, 4}},
        {params + longLine + "\r\n", "a.ds1", ParamEntry{level, path, -12, 34}},
        {std::nullopt, "a.ds1", {}, "Unable to Open kelvorn_loader.ini"},
        {kHead, "a.ds1", {}, noParams},
        {kHead + " [PARAMS]\r\na.ds1\t1\t2\t3\t4\r\n", "a.ds1", {}, noParams},
        {"", "a.ds1", {}, noParams},
        {params + "Duriel.ds1\tCapital\tp\t1\t2\r\n;duriel.ds1\tCommented\tp\t1\t2\r\n"
                  "xduriel.ds1\tOther\tp\t1\t2\r\n",
         "C:\\Maps\\DURIEL.DS1",
         {},
         "Unable to Find duriel.ds1 in kelvorn_loader.ini"},
        {params, "C:\\maps\\[", {}, bad + "[PARAMS]"},
        {params + "a.ds1\tA\tp\t1\t2\r\n", "C:\\", {}, "No File Name in \"C:\\\""},
        {std::nullopt, "maps/", {}, "No File Name in \"maps/\""},
        {params + "a.ds1\tA\tp\t1\r\n", "a.ds1", {}, bad + "a.ds1\tA\tp\t1"},
        {"[PARAMS]\n" + longLevel + "\tp\t1\t2\n",
         "a.ds1",
         {},
         bad + longLevel.substr(0, 254) + "..."},
        {params + bak + duriel, "Duriel.ds1", found, bad + "duriel.ds1.bak\told one"},
        {params + duriel + wide + "\r\n", "Duriel.ds1", found, bad + wide},
        {params + bak + wide + "\r\n" + duriel, "Duriel.ds1", found,
         bad + "duriel.ds1.bak\told one (and 1 more)"},
        {params + duriel + bak + other, "Duriel.ds1", found, bad + "duriel.ds1.bak\told one", 2},
    };
    // Every column may hold 127 characters, numbers too (128: the fuzz oracle's limits).
    const std::string edge(127, 'e');
    cases.push_back({params + edge + "\t" + edge + "\t" + edge + "\t" + std::string(126, '0') +
                         "5\t" + edge + "\r\n",
                     edge, ParamEntry{edge, edge, 5, 0}});
    for (const auto& c : cases) {
        ui::Script script;
        int offered = 0;
        if (c.offered)
            script.OnDialog(IDD_SELECT_PARAMS, [&](ui::Dialog& d) {
                offered = d.Window().LvGetItemCount(IDC_PARAM_LIST);
                d.PressEnter();
            });
        EXPECT_EQ(Lookup(c.file, c.mapPath), c.entry ? LOOKUP_FOUND : LOOKUP_FAILED) << c.message;
        EXPECT_EQ(m_result, c.entry.value_or(kUntouched)) << c.message;
        EXPECT_EQ(offered, c.offered) << c.message;
        EXPECT_EQ(script.DialogsOpened().size(), c.offered ? 1u : 0u) << c.message;
        if (c.message.empty()) {
            EXPECT_TRUE(script.MessageBoxes().empty()) << c.mapPath;
            continue;
        }
        ASSERT_EQ(script.MessageBoxes().size(), 1u) << c.message;
        test::ExpectErrorBox(script.MessageBoxes()[0], c.message, IDD_LOADER);
    }
}

// Every lookup sees the table as it is: rewritten with the same size and write time,
// removed, or edited while the choice dialog was open.
TEST_F(LookupTest, EachLookupSeesTheTableAsItIsNow) {
    const std::string ini = m_dir.Path("kelvorn_loader.ini");
    const std::string one = "[PARAMS]\r\na.ds1\tOne\tp\t1\t2\r\n";
    const std::string two = "[PARAMS]\r\na.ds1\tTwo\tp\t1\t2\r\n";
    auto lookUpAgain = [&](LookupResult result, const char* levelName) {
        EXPECT_EQ(LookupParams("a.ds1", &m_owner, m_result, 0, ini), result);
        EXPECT_EQ(m_result.levelName, levelName);
    };
    ui::Script script;
    ASSERT_EQ(Lookup(one, "a.ds1"), LOOKUP_FOUND);
    ASSERT_EQ(m_result.levelName, "One");
    const auto written = std::filesystem::last_write_time(ini);
    std::fstream(ini, std::ios::in | std::ios::out | std::ios::binary) << two;
    std::filesystem::last_write_time(ini, written);
    lookUpAgain(LOOKUP_FOUND, "Two");
    std::filesystem::remove(ini);
    lookUpAgain(LOOKUP_FAILED, "Two");
    EXPECT_EQ(test::BoxTexts(script), test::Strings{"Unable to Open kelvorn_loader.ini"});

    m_dir.Write("kelvorn_loader.ini", two + two.substr(10));
    script.OnDialog(IDD_SELECT_PARAMS, [&](ui::Dialog& d) {
        m_dir.Write("kelvorn_loader.ini", one);
        d.PressEnter();
    });
    lookUpAgain(LOOKUP_FOUND, "Two");
    lookUpAgain(LOOKUP_FOUND, "One");
    EXPECT_TRUE(script.Finished());
}

// Several rows are offered in file order, owned by the caller, with its flags; only OK
// changes the result.
TEST_F(LookupTest, SeveralRowsAreOfferedInTheChoiceDialog) {
    const std::string table =
        kHead + "[PARAMS]\r\ntomb.ds1\tTomb One\tact2\\tomb1\t10\t-20\r\n" +
        "other.ds1\tOther\tp\t1\t1\r\ntomb.ds1.v2\tTomb Two\tact2\\tomb2\t30\t40\tnote\r\n"
        "tomb.ds1\tTomb One\tact2\\tomb1\t10\t-20\r\n";  // twice: two rows
    const ParamEntry one{"Tomb One", "act2\\tomb1", 10, -20},
        two{"Tomb Two", "act2\\tomb2", 30, 40};
    const struct {
        unsigned flags;
        int row, button;  // the row selected, then the button clicked
        LookupResult result;
        ParamEntry entry;
    } cases[] = {
        {0, 1, IDC_SELECT_OK, LOOKUP_FOUND, two},
        {LOOKUP_NO_CANCEL | LOOKUP_NO_SKIP, 0, IDC_SELECT_OK, LOOKUP_FOUND, one},
        {LOOKUP_NO_SKIP, 1, ui::IdCancel, LOOKUP_CANCELLED, kUntouched},
        {LOOKUP_NO_CANCEL, 1, IDC_SKIP, LOOKUP_SKIPPED, kUntouched},
    };
    for (const auto& c : cases) {
        ui::Script script;
        test::Strings offered;
        script.OnDialog(IDD_SELECT_PARAMS, [&](ui::Dialog& d) {
            auto& dlg = static_cast<CSelectParamsDlg&>(d);
            EXPECT_EQ(d.Window().GetCaption(), "Select the Right \"tomb.ds1\"");
            EXPECT_EQ(d.Owner(), &m_owner);
            for (int i = 0; i < dlg.m_list.GetItemCount(); ++i)
                offered.push_back(dlg.m_list.GetItemText(i, 0) + "|" +
                                  dlg.m_list.GetItemText(i, 3));
            dlg.m_list.SetSelected(0, false);
            dlg.m_list.SetSelected(c.row, true);
            d.ClickButton(c.button);
        });
        EXPECT_EQ(Lookup(table, "C:\\Maps\\TOMB.ds1", c.flags), c.result) << c.flags;
        EXPECT_EQ(m_result, c.entry) << c.flags;
        EXPECT_EQ(offered, (test::Strings{"Tomb One|-20", "Tomb Two|40", "Tomb One|-20"}));
        EXPECT_TRUE(script.Finished()) << test::Errors(script);
    }
}

const std::string kHeader =
    "; put a ; or a // AT THE BEGINNING of a line to comment it out\r\n\r\n; set kelvornpath to "
    "the path to Vellamors editor\r\nkelvornpath = C:\\Tools\\Editor\\\r\n\r\n; set kelvornname "
    "to the name of the executable for the editor\r\nkelvornname = editor.exe\r\n\r\n; Format of "
    "the PARAMS section:\r\n; Filename\tName\tPath\tTypeID\tPrestDEF\tcomments (ignored)\r\n; Each "
    "entry MUST be separated by a tab. You can leave away the comment and the tabstop preceding "
    "the comment\r\n\r\n[PARAMS]\r\n";

LoaderSettings Sample() {
    return {"C:\\Tools\\Editor\\",
            "editor.exe",
            {{"duriel.ds1", "Duriel's Lair", "data\\global\\tiles\\duriel.ds1", "46", "481", ""},
             {"town.ds1", "Rogue Camp", "act1\\town", "1", "-3", "first\tsecond"},
             {";off.ds1", "Off", "p", "0012", "abc", "   "}}};
}

// The settings a written file reads back as: it has no bad line.
LoaderSettings ReadBack(const std::string& text) {
    LoaderSettings settings;
    test::Strings bad;
    ParseLoaderSettings(text, settings, bad);
    EXPECT_EQ(bad, test::Strings{}) << text;
    return settings;
}

// The header, a line per row (no tab for an empty comment); splitting characters as blanks.
TEST(LoaderSettingsFormat, WrittenBytesAndWhatReadsBack) {
    EXPECT_EQ(FormatLoaderSettings(Sample()),
              kHeader +
                  "duriel.ds1\tDuriel's Lair\tdata\\global\\tiles\\duriel.ds1\t46\t481\r\n"
                  "town.ds1\tRogue Camp\tact1\\town\t1\t-3\tfirst\tsecond\r\n"
                  ";off.ds1\tOff\tp\t0012\tabc\t   \r\n");
    EXPECT_EQ(ReadBack(FormatLoaderSettings(Sample())), Sample());

    const std::string empty = FormatLoaderSettings({"", "", {{"a.ds1", "", "", "", "", ""}}});
    EXPECT_TRUE(empty.ends_with("[PARAMS]\r\na.ds1\t\t\t\t\r\n")) << empty;
    for (const char* key : {"kelvornpath = \r\n", "kelvornname = \r\n"})
        EXPECT_NE(empty.find(key), std::string::npos) << key;

    const LoaderSettings hostile{"C:\\a\tb\r\nkelvornname = evil.exe",
                                 "ed\tit.exe",
                                 {{"a\tb.ds1", "Level\nName", "p\r", "1", "2", "c\td\r\ne"}}};
    EXPECT_EQ(ReadBack(FormatLoaderSettings(hostile)),
              (LoaderSettings{"C:\\a\tb  kelvornname = evil.exe",
                              "ed\tit.exe",
                              {{"a b.ds1", "Level Name", "p ", "1", "2", "c\td  e"}}}));

    // The file holds the text, every byte value included, and reads back as the text does.
    test::TempFolder folder;
    std::string everyByte;
    for (int c = 0; c < 256; ++c) everyByte.push_back(static_cast<char>(c));
    LoaderSettings all = Sample();
    all.rows.push_back({"all.ds1", everyByte, "p", "1", "2", everyByte});
    ASSERT_TRUE(WriteLoaderSettings(all, folder.Path("t.ini")));
    EXPECT_EQ(folder.Read("t.ini"), FormatLoaderSettings(all));
    LoaderSettings read;
    test::Strings bad;
    ASSERT_TRUE(ReadLoaderSettings(read, bad, folder.Path("t.ini")));
    EXPECT_EQ(read, ReadBack(FormatLoaderSettings(all)));
}

}  // namespace
