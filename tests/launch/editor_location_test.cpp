#include "launch/editor_location.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Found = std::optional<EditorLocation>;

TEST(EditorLocationKeys, ValuesAreFoundOnlyOnExactKeyLines) {
    const std::string key254 = "kelvornpath = " + std::string(254 - 14, 'p');
    const std::string longComment = "x" + std::string(300, 'c');
    const std::pair<std::string, Found> cases[] = {
        {"; put a ; or a // AT THE BEGINNING of a line to comment it out\r\n\r\n"
         "; set kelvornpath to the path to Vellamors editor\r\nkelvornpath = C:\\Editor\\\r\n\r\n"
         "; set kelvornname to the name of the executable for the editor\r\n"
         "kelvornname = kelvorn.exe\r\n\r\n[PARAMS]\r\nduriel.ds1\tx\ty\t1\t2\r\n",
         EditorLocation{"C:\\Editor\\", "kelvorn.exe"}},
        // The value is the rest of the line, trailing blanks kept.
        {"kelvornname = a b.exe  \nkelvornpath = D:\\x y\\ \t\n",
         EditorLocation{"D:\\x y\\ \t", "a b.exe  "}},
        {"kelvornpath = \nkelvornname = \n", EditorLocation{"", ""}},
        // The last line counts with or without a line break.
        {"kelvornpath = p\nkelvornname = n", EditorLocation{"p", "n"}},
        {"kelvornpath = p\r\nkelvornname = n\r\n", EditorLocation{"p", "n"}},
        // Only the exact prefix is a key.
        {"kelvornpath = p\nkelvornname=n\n", std::nullopt},
        {"kelvornpath = p\nKelvornname = n\n", std::nullopt},
        {"kelvornpath = p\n kelvornname = n\n", std::nullopt},
        // Comment lines are passed over; a single slash is no comment marker.
        {";kelvornpath = a\n//kelvornname = b\nkelvornpath = p\nkelvornname = n\n",
         EditorLocation{"p", "n"}},
        {"kelvornpath = p\n// kelvornname = n\n", std::nullopt},
        {"/x\nkelvornpath = p\nkelvornname = n", EditorLocation{"p", "n"}},
        // Missing keys.
        {"", std::nullopt},
        {"kelvornpath = p\n", std::nullopt},
        {"kelvornname = n\n[PARAMS]\n", std::nullopt},
        // A repeat before the second key replaces the first value; one after it is not read.
        {"kelvornpath = a\nkelvornpath = b\nkelvornname = n\nkelvornpath = c\n",
         EditorLocation{"b", "n"}},
        {"kelvornname = a\nkelvornname = b\nkelvornpath = p\nkelvornname = c\n",
         EditorLocation{"p", "b"}},
        // Long lines are passed over; 254 characters is the longest line read, and a
        // longer key line is not taken cut.
        {longComment + "\nkelvornpath = p\n" + longComment + "\r\nkelvornname = n\n",
         EditorLocation{"p", "n"}},
        {key254 + "\r\nkelvornname = n\n", EditorLocation{std::string(240, 'p'), "n"}},
        {key254 + "p\r\nkelvornname = n\n", std::nullopt},
        {key254 + "p\r\nkelvornname = n\nkelvornpath = short\n", EditorLocation{"short", "n"}},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(FindEditorLocation(text), expected) << text;
}

// Make Batch's reader next to Run's on the same lines; Load Batch's takes the folder only.
TEST(EditorLocationKeys, TheThreeReadersDiffer) {
    const EditorLocation pn{"p", "n"};
    const auto no = std::nullopt;
    const std::string key255 = "kelvornpath = " + std::string(255 - 14, 'p');
    struct Case {
        std::string text;
        Found run, makeBatch;
        std::optional<std::string> loadBatch;
    };
    const Case cases[] = {
        {"kelvornpath = p\nkelvornname = n\n", pn, pn, "p"},
        {"  KelvornPath\t =\t p \n\tKELVORNNAME = n", no, EditorLocation{"p ", "n"}, no},
        {"kelvornpath= p\nkelvornname = n\nkelvornpath =p\n", no, EditorLocation{"p", "n"}, no},
        {"kelvornpath=p\nkelvornname = n\n", no, no, no},
        {"  ;kelvornpath = x\nkelvornpath = p\nkelvornname = n\n", pn, pn, "p"},
        {"// kelvornpath = x\nkelvornpath = p\nkelvornname = n\n", pn, pn, "p"},
        {"kelvornpath = \nkelvornpath = p\nkelvornname = n\n", pn, pn, no},
        {"kelvornpath = p\nkelvornpath = q\nkelvornname = n\n", EditorLocation{"q", "n"},
         EditorLocation{"q", "n"}, "p"},
        {"kelvornpath = p\n", no, no, "p"},
        // 255 characters are read by Make Batch, and any length by Load Batch.
        {key255 + "\nkelvornname = n\n", no, EditorLocation{std::string(241, 'p'), "n"},
         std::string(241, 'p')},
        {key255 + "p\nkelvornname = n\n", no, no, std::string(242, 'p')},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindEditorLocation(c.text), c.run) << c.text;
        EXPECT_EQ(FindEditorLenient(c.text), c.makeBatch) << c.text;
        EXPECT_EQ(FindEditorFolder(c.text), c.loadBatch) << c.text;
    }
}

}  // namespace
