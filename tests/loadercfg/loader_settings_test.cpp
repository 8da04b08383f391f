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

// The settings a written file reads back as: it has no bad line.
LoaderSettings ReadBack(const std::string& text) {
    LoaderSettings settings;
    Strings bad;
    ParseLoaderSettings(text, settings, bad);
    EXPECT_EQ(bad, Strings{}) << text;
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
}

// The file holds the text, every byte value included, and reads back as the text does.
TEST(LoaderSettingsFile, WritesTheTextAndReadsItBack) {
    test::TempFolder folder;
    std::string everyByte;
    for (int c = 0; c < 256; ++c) everyByte.push_back(static_cast<char>(c));
    LoaderSettings settings = Sample();
    settings.rows.push_back({"all.ds1", everyByte, "p", "1", "2", everyByte});
    const std::string path = folder.Path("kelvorn_loader.ini");
    ASSERT_TRUE(WriteLoaderSettings(settings, path));
    EXPECT_EQ(folder.Read("kelvorn_loader.ini"), FormatLoaderSettings(settings));
    LoaderSettings read;
    Strings bad{"stale"};
    ASSERT_TRUE(ReadLoaderSettings(read, bad, path));
    EXPECT_EQ(read, ReadBack(FormatLoaderSettings(settings)));
    EXPECT_EQ(bad, Strings{});
}

}  // namespace
