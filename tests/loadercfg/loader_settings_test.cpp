#include "loadercfg/loader_settings.h"

#include <gtest/gtest.h>

#include "tests/loadercfg/temp_folder.h"

namespace {

const std::string kHeader =
    "; put a ; or a // AT THE BEGINNING of a line to comment it out\r\n"
    "\r\n"
    "; set kelvornpath to the path to Vellamors editor\r\n"
    "kelvornpath = C:\\Tools\\Editor\\\r\n"
    "\r\n"
    "; set kelvornname to the name of the executable for the editor\r\n"
    "kelvornname = editor.exe\r\n"
    "\r\n"
    "; Format of the PARAMS section:\r\n"
    "; Filename\tName\tPath\tTypeID\tPrestDEF\tcomments (ignored)\r\n"
    "; Each entry MUST be separated by a tab. You can leave away the comment and the tabstop "
    "preceding the comment\r\n"
    "\r\n"
    "[PARAMS]\r\n";

LoaderSettings Sample() {
    LoaderSettings s;
    s.editorPath = "C:\\Tools\\Editor\\";
    s.editorName = "editor.exe";
    s.rows.push_back(
        {"duriel.ds1", "Duriel's Lair", "data\\global\\tiles\\duriel.ds1", "46", "481", ""});
    s.rows.push_back({"town.ds1", "Rogue Camp", "act1\\town", "1", "-3", "first\tsecond"});
    s.rows.push_back({";off.ds1", "Off", "p", "0012", "abc", "   "});
    return s;
}

struct Parsed {
    LoaderSettings settings;
    std::vector<std::string> badLines;
};

Parsed Parse(std::string_view text) {
    Parsed p;
    ParseLoaderSettings(text, p.settings, p.badLines);
    return p;
}

TEST(LoaderSettingsFormat, WritesTheFixedHeaderThenRowsWithCrLf) {
    std::string text = FormatLoaderSettings(Sample());
    EXPECT_EQ(text, kHeader +
                        "duriel.ds1\tDuriel's Lair\tdata\\global\\tiles\\duriel.ds1\t46\t481\r\n"
                        "town.ds1\tRogue Camp\tact1\\town\t1\t-3\tfirst\tsecond\r\n"
                        ";off.ds1\tOff\tp\t0012\tabc\t   \r\n");
}

TEST(LoaderSettingsFormat, EmptyCommentsGiveExactlyFourTabs) {
    LoaderSettings s;
    s.rows.push_back({"a.ds1", "", "", "", "", ""});
    std::string text = FormatLoaderSettings(s);
    EXPECT_TRUE(text.ends_with("[PARAMS]\r\na.ds1\t\t\t\t\r\n")) << text;
    EXPECT_NE(text.find("kelvornpath = \r\n"), std::string::npos);
    EXPECT_NE(text.find("kelvornname = \r\n"), std::string::npos);
}

TEST(LoaderSettingsFormat, RoundTripKeepsEveryRowAndTheTabInAComment) {
    LoaderSettings s = Sample();
    Parsed p = Parse(FormatLoaderSettings(s));
    EXPECT_EQ(p.settings, s);
    EXPECT_TRUE(p.badLines.empty());
    EXPECT_EQ(p.settings.rows[1].comments, "first\tsecond");
}

TEST(LoaderSettingsFormat, CharactersThatWouldSplitARowAreWrittenAsBlanks) {
    LoaderSettings s;
    s.editorPath = "C:\\a\r\nkelvornname = evil.exe";
    s.editorName = "ed\tit.exe";
    s.rows.push_back({"a\tb.ds1", "Level\nName", "p\r", "1", "2", "c\td\r\ne"});
    Parsed p = Parse(FormatLoaderSettings(s));
    EXPECT_EQ(p.settings.editorPath, "C:\\a  kelvornname = evil.exe");
    EXPECT_EQ(p.settings.editorName, "ed\tit.exe");  // a tab does not split a key line
    ASSERT_EQ(p.settings.rows.size(), 1u);
    EXPECT_EQ(p.settings.rows[0], (ParamRow{"a b.ds1", "Level Name", "p ", "1", "2", "c\td  e"}));
    EXPECT_TRUE(p.badLines.empty());
}

TEST(LoaderSettingsRead, HeaderKeysCommentsAndOtherLines) {
    Parsed p = Parse(
        "kelvornpath = first\n"
        "; kelvornname = commented.exe\n"
        "// kelvornname = commented.exe\n"
        "kelvornname =  two blanks \n"
        "kelvornpath = second\\\n"
        "KELVORNPATH = upper\n"
        " kelvornpath = indented\n"
        "kelvornpath=tight\n"
        "garbage\n"
        "[PARAMS] anything after\n");
    EXPECT_EQ(p.settings.editorPath, "second\\");
    EXPECT_EQ(p.settings.editorName, " two blanks ");
    EXPECT_TRUE(p.settings.rows.empty());
    EXPECT_TRUE(p.badLines.empty());
}

TEST(LoaderSettingsRead, ParameterSectionRowsAndBadLinesInFileOrder) {
    Parsed p = Parse(
        "[PARAMS]\n"
        "a.ds1\tA\tpa\t1\t2\n"
        "\n"
        "notab\n"
        "b.ds1\tB\tpb\t3\n"
        "; c.ds1\tC\tpc\t4\t5\tnote\n"
        "d.ds1\t\t\t\t\n"
        "e.ds1\tE\tpe\t6\t7\t\n"
        "kelvornpath = late\n"
        "f.ds1\tF\tpf\t8\t9\tx\ty\tz");
    std::vector<ParamRow> expected = {
        {"a.ds1", "A", "pa", "1", "2", ""},
        {"; c.ds1", "C", "pc", "4", "5", "note"},
        {"d.ds1", "", "", "", "", ""},
        {"e.ds1", "E", "pe", "6", "7", ""},
        {"f.ds1", "F", "pf", "8", "9", "x\ty\tz"},
    };
    EXPECT_EQ(p.settings.rows, expected);
    EXPECT_EQ(p.badLines,
              (std::vector<std::string>{"", "notab", "b.ds1\tB\tpb\t3", "kelvornpath = late"}));
    EXPECT_EQ(p.settings.editorPath, "");
}

TEST(LoaderSettingsRead, CrLfAndLfReadAlikeAndTheLastLineNeedsNoBreak) {
    Parsed lf = Parse("kelvornname = e.exe\n[PARAMS]\na\tb\tc\td\te\n");
    Parsed crlf = Parse("kelvornname = e.exe\r\n[PARAMS]\r\na\tb\tc\td\te\r\n");
    Parsed open = Parse("kelvornname = e.exe\r\n[PARAMS]\r\na\tb\tc\td\te");
    EXPECT_EQ(lf.settings, crlf.settings);
    EXPECT_EQ(lf.settings, open.settings);
    EXPECT_EQ(lf.settings.editorName, "e.exe");
    EXPECT_EQ(lf.settings.editorPath, "");  // an absent key stays empty
    ASSERT_EQ(lf.settings.rows.size(), 1u);
    EXPECT_EQ(lf.settings.rows[0].lvlPrestDef, "e");
    EXPECT_TRUE(lf.badLines.empty() && crlf.badLines.empty() && open.badLines.empty());
}

TEST(LoaderSettingsRead, WithoutParamsLineThereAreNoRows) {
    Parsed p = Parse("kelvornpath = x\n [PARAMS]\n[params]\na\tb\tc\td\te\n");
    EXPECT_EQ(p.settings.editorPath, "x");
    EXPECT_EQ(p.settings.editorName, "");
    EXPECT_TRUE(p.settings.rows.empty());
    EXPECT_TRUE(p.badLines.empty());
}

TEST(LoaderSettingsRead, LongLinesAreReadWhole) {
    std::string comment(5000, 'c');
    std::string level(300, 'L');
    Parsed p = Parse("[PARAMS]\na.ds1\t" + level + "\tp\t1\t2\t" + comment + "\n");
    ASSERT_EQ(p.settings.rows.size(), 1u);
    EXPECT_EQ(p.settings.rows[0].levelName, level);
    EXPECT_EQ(p.settings.rows[0].comments, comment);
}

TEST(LoaderSettingsFile, WriteReplacesTheWholeFileAndReadGivesTheSameSettings) {
    TempFolder dir;
    std::string path = dir.Write("kelvorn_loader.ini", std::string(10000, 'x') + "\n");
    ASSERT_TRUE(WriteLoaderSettings(Sample(), path));
    EXPECT_EQ(dir.Read("kelvorn_loader.ini"), FormatLoaderSettings(Sample()));
    LoaderSettings read;
    std::vector<std::string> bad{"stale"};
    ASSERT_TRUE(ReadLoaderSettings(read, bad, path));
    EXPECT_EQ(read, Sample());
    EXPECT_TRUE(bad.empty());
}

// An unreadable file gives false and nothing; a failed write false and no file.
TEST(LoaderSettingsFile, FailuresReportFalse) {
    TempFolder dir;
    LoaderSettings read = Sample();
    std::vector<std::string> bad{"stale"};
    EXPECT_FALSE(ReadLoaderSettings(read, bad, dir.File("missing.ini")));
    EXPECT_EQ(read, LoaderSettings{});
    EXPECT_TRUE(bad.empty());
    std::string path = dir.File("no-such-folder/kelvorn_loader.ini");
    EXPECT_FALSE(WriteLoaderSettings(Sample(), path));
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
