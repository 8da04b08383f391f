#include "loadercfg/loader_settings.h"

#include "tests/common/helpers.h"

namespace {

using test::Strings;

const std::string kHeader =
    "; put a ; or a // AT THE BEGINNING of a line to comment it out\r\n\r\n"
    "; set kelvornpath to the path to Vellamors editor\r\nkelvornpath = C:\\Tools\\Editor\\\r\n\r\n"
    "; set kelvornname to the name of the executable for the editor\r\n"
    "kelvornname = editor.exe\r\n\r\n"
    "; Format of the PARAMS section:\r\n"
    "; Filename\tName\tPath\tTypeID\tPrestDEF\tcomments (ignored)\r\n"
    "; Each entry MUST be separated by a tab. You can leave away the comment and the tabstop "
    "preceding the comment\r\n\r\n[PARAMS]\r\n";

LoaderSettings Sample() {
    return {"C:\\Tools\\Editor\\",
            "editor.exe",
            {{"duriel.ds1", "Duriel's Lair", "data\\global\\tiles\\duriel.ds1", "46", "481", ""},
             {"town.ds1", "Rogue Camp", "act1\\town", "1", "-3", "first\tsecond"},
             {";off.ds1", "Off", "p", "0012", "abc", "   "}}};
}

LoaderSettings Parse(std::string_view text, Strings* badLines = nullptr) {
    LoaderSettings settings;
    Strings bad;
    ParseLoaderSettings(text, settings, bad);
    if (badLines) *badLines = bad;
    return settings;
}

// The fixed header, then one line per row; an empty comment leaves no tab of its own.
// Characters that would split a row or a key line are written as blanks.
TEST(LoaderSettingsFormat, WrittenBytesAndWhatReadsBack) {
    EXPECT_EQ(FormatLoaderSettings(Sample()),
              kHeader +
                  "duriel.ds1\tDuriel's Lair\tdata\\global\\tiles\\duriel.ds1\t46\t481\r\n"
                  "town.ds1\tRogue Camp\tact1\\town\t1\t-3\tfirst\tsecond\r\n"
                  ";off.ds1\tOff\tp\t0012\tabc\t   \r\n");
    Strings bad{"stale"};
    EXPECT_EQ(Parse(FormatLoaderSettings(Sample()), &bad), Sample());
    EXPECT_TRUE(bad.empty());

    const std::string empty = FormatLoaderSettings({"", "", {{"a.ds1", "", "", "", "", ""}}});
    EXPECT_TRUE(empty.ends_with("[PARAMS]\r\na.ds1\t\t\t\t\r\n")) << empty;
    for (const char* key : {"kelvornpath = \r\n", "kelvornname = \r\n"})
        EXPECT_NE(empty.find(key), std::string::npos) << key;

    const LoaderSettings hostile{"C:\\a\tb\r\nkelvornname = evil.exe",
                                 "ed\tit.exe",
                                 {{"a\tb.ds1", "Level\nName", "p\r", "1", "2", "c\td\r\ne"}}};
    EXPECT_EQ(Parse(FormatLoaderSettings(hostile), &bad),
              (LoaderSettings{"C:\\a\tb  kelvornname = evil.exe",
                              "ed\tit.exe",
                              {{"a b.ds1", "Level Name", "p ", "1", "2", "c\td  e"}}}));
    EXPECT_TRUE(bad.empty());
}

// Keys count only as exact lines; a repeat replaces the value; rows follow a [PARAMS]
// line in the first column, and other lines there are bad lines, in file order. CR LF and
// LF read alike, the last line needs no break, and long lines are read whole.
TEST(LoaderSettingsRead, KeysRowsAndBadLines) {
    EXPECT_EQ(Parse("kelvornpath = first\n; kelvornname = c.exe\n// kelvornname = c.exe\n"
                    "kelvornname =  two blanks \nkelvornpath = second\\\nKELVORNPATH = upper\n"
                    " kelvornpath = indented\nkelvornpath=tight\ngarbage\n"
                    " [PARAMS]\n[params]\na\tb\tc\td\te\n"),
              (LoaderSettings{"second\\", " two blanks ", {}}));
    Strings bad;
    const std::string comment(5000, 'c');
    EXPECT_EQ(Parse("[PARAMS] anything after\na.ds1\tA\tpa\t1\t2\r\n\nnotab\nb.ds1\tB\tpb\t3\n"
                    "; c.ds1\tC\tpc\t4\t5\tnote\nd.ds1\t\t\t\t\ne.ds1\tE\tpe\t6\t7\t\n"
                    "kelvornpath = late\nf.ds1\tF\tpf\t8\t9\t" +
                        comment,
                    &bad),
              (LoaderSettings{"",
                              "",
                              {{"a.ds1", "A", "pa", "1", "2", ""},
                               {"; c.ds1", "C", "pc", "4", "5", "note"},
                               {"d.ds1", "", "", "", "", ""},
                               {"e.ds1", "E", "pe", "6", "7", ""},
                               {"f.ds1", "F", "pf", "8", "9", comment}}}));
    EXPECT_EQ(bad, (Strings{"", "notab", "b.ds1\tB\tpb\t3", "kelvornpath = late"}));
}

}  // namespace
