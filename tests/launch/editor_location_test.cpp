#include "launch/editor_location.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::optional<EditorLocation> Find(const std::string& text) {
    return FindEditorLocation(text);
}

TEST(EditorLocationKeys, WrittenFileGivesBothValues) {
    const std::string text =
        "; put a ; or a // AT THE BEGINNING of a line to comment it out\r\n\r\n"
        "; set kelvornpath to the path to Vellamors editor\r\n"
        "kelvornpath = C:\\Editor\\\r\n\r\n"
        "; set kelvornname to the name of the executable for the editor\r\n"
        "kelvornname = kelvorn.exe\r\n\r\n[PARAMS]\r\nduriel.ds1\tx\ty\t1\t2\r\n";
    EXPECT_EQ(Find(text), (EditorLocation{"C:\\Editor\\", "kelvorn.exe"}));
}

TEST(EditorLocationKeys, ValueIsTheRestOfTheLineTrailingBlanksKept) {
    EXPECT_EQ(Find("kelvornname = a b.exe  \nkelvornpath = D:\\x y\\ \t\n"),
              (EditorLocation{"D:\\x y\\ \t", "a b.exe  "}));
    EXPECT_EQ(Find("kelvornpath = \nkelvornname = \n"), (EditorLocation{"", ""}));
}

TEST(EditorLocationKeys, LastLineCountsWithOrWithoutLineBreak) {
    EXPECT_EQ(Find("kelvornpath = p\nkelvornname = n"), (EditorLocation{"p", "n"}));
    EXPECT_EQ(Find("kelvornpath = p\r\nkelvornname = n\r\n"), (EditorLocation{"p", "n"}));
}

TEST(EditorLocationKeys, OnlyTheExactPrefixIsAKey) {
    for (const char* other : {"kelvornname=n\n", "kelvornname =n\n", "kelvornname  = n\n",
                              "Kelvornname = n\n", " kelvornname = n\n", "kelvornname\t= n\n"}) {
        EXPECT_EQ(Find(std::string("kelvornpath = p\n") + other), std::nullopt) << other;
    }
}

TEST(EditorLocationKeys, CommentLinesArePassedOver) {
    EXPECT_EQ(Find(";kelvornpath = a\n//kelvornname = b\nkelvornpath = p\nkelvornname = n\n"),
              (EditorLocation{"p", "n"}));
    EXPECT_EQ(Find("kelvornpath = p\n// kelvornname = n\n"), std::nullopt);
    // A single slash is no comment marker.
    EXPECT_EQ(Find("/x\nkelvornpath = p\nkelvornname = n"), (EditorLocation{"p", "n"}));
}

TEST(EditorLocationKeys, MissingKeysAreReported) {
    EXPECT_EQ(Find(""), std::nullopt);
    EXPECT_EQ(Find("kelvornpath = p\n"), std::nullopt);
    EXPECT_EQ(Find("kelvornname = n\n[PARAMS]\n"), std::nullopt);
}

TEST(EditorLocationKeys, SearchEndsWhenBothAreFound) {
    // A repeat before the second key replaces the first value; one after it is not read.
    EXPECT_EQ(Find("kelvornpath = a\nkelvornpath = b\nkelvornname = n\nkelvornpath = c\n"),
              (EditorLocation{"b", "n"}));
    EXPECT_EQ(Find("kelvornname = a\nkelvornname = b\nkelvornpath = p\nkelvornname = c\n"),
              (EditorLocation{"p", "b"}));
}

TEST(EditorLocationKeys, LongLinesArePassedOverAndTheSearchEnds) {
    const std::string longComment = "x" + std::string(300, 'c');
    EXPECT_EQ(Find(longComment + "\nkelvornpath = p\n" + longComment + "\r\nkelvornname = n\n"),
              (EditorLocation{"p", "n"}));

    // 254 characters is the longest line read; a longer key line is not taken cut.
    const std::string path254 = "kelvornpath = " + std::string(254 - 14, 'p');
    EXPECT_EQ(Find(path254 + "\r\nkelvornname = n\n"),
              (EditorLocation{std::string(240, 'p'), "n"}));
    EXPECT_EQ(Find(path254 + "p\r\nkelvornname = n\n"), std::nullopt);
    EXPECT_EQ(Find(path254 + "p\r\nkelvornname = n\nkelvornpath = short\n"),
              (EditorLocation{"short", "n"}));
}

}  // namespace
