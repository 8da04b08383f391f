#include "launch/batch_file.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

TEST(BatchFile, NamesFromTheChosenPathAndMapListLinesOfTheExactShape) {
    const std::string longest = "C:\\" + std::string(498, 'm');  // + "_debug.txt": 511
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"C:\\o\\m.bat", "C:\\o\\m"},
        {"C:\\o\\m", "C:\\o\\m"},
        {"C:\\o\\m.v2.x", "C:\\o\\m.v2"},
        {"C:\\ed 1.2\\m", "C:\\ed 1.2\\m"},
        {"/1.2/m", "/1.2/m"},
        {longest + ".bat", longest},
        {"C:\\" + std::string(400, 'm') + "." + std::string(107, 'x'),
         "C:\\" + std::string(400, 'm')},
        {longest + "m", std::nullopt},
        {longest + "." + std::string(10, 'x'), std::nullopt},
    };
    for (const auto& [chosen, base] : cases) {
        const std::optional<BatchNames> names = BatchNamesFor(chosen);
        EXPECT_EQ(names ? std::optional(names->base) : std::nullopt, base) << chosen;
        if (names && base) {
            EXPECT_EQ(names->batchFile + names->debugFile, *base + ".bat" + *base + "_debug.txt");
        }
    }
    EXPECT_TRUE(HasBatchExtension("C:\\x\\A.BaT") && NamesMapList("m.INI") && NamesMapList(".ini"));
    EXPECT_FALSE(HasBatchExtension("C:\\x.bat\\m") || NamesMapList("ini") ||
                 NamesMapList("m.ini.x"));
    const std::pair<std::string, Strings> lists[] = {
        // a map list of the exact shape: its entries; a last "!" for a bad line
        {"1 2 maps\\a.ds1\r\n3 4294967295 C:\\b c.ds1\r\n5 6 c",
         {"maps\\a.ds1", "C:\\b c.ds1", "c"}},
        {"  \n 1 a\n 2 \n", {"", "a", ""}},
        {"1 2 a\r\n\r\n3 4 b\r\n", {"a", "!"}},
        {"1 2 a\nx 2 b\n", {"a", "!"}},
        {"-1 2 a\n", {"!"}},
    };
    for (const auto& [text, expected] : lists) {
        Strings entries;
        if (!ParseMapList(text, entries)) entries.push_back("!");
        EXPECT_EQ(entries, expected) << text;
    }
}

TEST(BatchFile, CdDirectoryAndTheTwoItemsOfLineThreeReadAsWritten) {
    const std::pair<std::string, Strings> cases[] = {
        // cd directory, editor, target; or none
        {"cd \"C:\\Ed\\\"\n\"k.exe\" \"m.ini\" > \"d.txt\"", {"C:\\Ed\\", "k.exe", "m.ini"}},
        {"  cd \"x\"\nk.exe\ta.ds1 1 2", {"x", "k.exe", "a.ds1"}},
        {"cd \"\n \"a b.ds1\" 1", {"\"", "", "a b.ds1"}},
        {"cd \n\"k.exe\" a.ds1\t1", {"", "k.exe", "a.ds1"}},
        {"cd \"\"\nk.exe a.ds1", {"", "k.exe", "a.ds1"}},
        {"cd x\nk.exe ", {"x", "k.exe", ""}},
        {"CD x\nk.exe a.ds1", {}},
        {"cd x\n\"k.exe\" \"a.ds1\"", {}},  // a blank must follow a closing quote
        {"cd x\n\"k.exe\" \"a.ds1", {}},
        {"cd x\n\"k.exe\"\t\"a.ds1\" 1", {}},
        {"cd x\n\"k.exe \"a.ds1\" 1", {}},
        {"cd x\nk.exe", {}},
        {"cd x", {}},
        // Written with /d and each "%" doubled; an older file's lone "%" stays.
        {"cd /d \"D:\\1%%\\\"\n\"k%%.exe\" \"a%%%b%.ds1\" 1", {"D:\\1%\\", "k%.exe", "a%%b%.ds1"}},
        {"cd /D\tx\nk a", {"x", "k", "a"}},
        {"cd /d\nk a", {"", "k", "a"}},
        {"cd /dx\nk a", {"/dx", "k", "a"}},
        {"cd \"C:\\100% ed\"\nk \"100% ed\\a.ds1\" 1", {"C:\\100% ed", "k", "100% ed\\a.ds1"}},
    };
    auto parsed = [](const std::string& text) {
        const std::optional<BatchCommand> got = ParseBatchFile(text);
        return got ? Strings{got->cdDirectory, got->editor, got->target} : Strings{};
    };
    for (const auto& [lines, expected] : cases)
        EXPECT_EQ(parsed("@echo off\r\n" + lines), expected) << lines;

    // Written, line 2 changes drive and folder; cmd reads each "%%" of lines 2 and 3 as one "%".
    const std::string text =
        BatchFileText("D:\\100% ed\\", "\"k.exe\" \"C:\\%a%\\m.ds1\" 1 2", "C:\\%a%\\m_debug.txt");
    EXPECT_EQ(text,
              "@echo off\r\ncd /d \"D:\\100%% ed\\\"\r\n\"k.exe\" \"C:\\%%a%%\\m.ds1\" 1 2 > "
              "\"C:\\%%a%%\\m_debug.txt\"\r\nIf ERRORLEVEL 0 goto DONE\r\npause\r\n:DONE\r\n");
    EXPECT_EQ(parsed(text), (Strings{"D:\\100% ed\\", "k.exe", "C:\\%a%\\m.ds1"}));
}

}  // namespace
