#include "launch/editor_location.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "launch/editor_program.h"

namespace {

using Found = std::optional<EditorLocation>;

// Run's, Make Batch's and Load Batch's (folder only) readers, each stopping at its find.
TEST(EditorLocation, TheThreeReadersDifferAndABareNameInTheEditorFolderIsNamedInFull) {
    const EditorLocation pn{"p", "n"};
    const auto no = std::nullopt;
    const std::string key255 = "kelvornpath = " + std::string(255 - 14, 'p');
    struct Case {
        std::string text;
        Found run, makeBatch;
        std::optional<std::string> loadBatch;
    };
    const Case cases[] = {
        {"kelvornpath = p\nkelvornname = n\nkelvornpath = q\n", pn, pn, "p"},
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

    // A bare name of a file in the editor folder (".exe" added) is named in full; else the
    // system searches.
    const std::string in =
        "C:\\ed" + std::string(1, static_cast<char>(std::filesystem::path::preferred_separator));
    const auto isFile = [&](const std::string& path) {
        return path == in + "kelvorn.exe" || path == "C:\\ed\\kelvorn.exe";
    };
    const std::pair<std::string, std::optional<std::string>> names[] = {
        {"kelvorn.exe", in + "kelvorn.exe"},
        {"kelvorn", in + "kelvorn.exe"},
        {"other.exe", no},
        {"bin\\kelvorn.exe", no},
        {"D:kelvorn.exe", no},
        {"", no}};
    for (const auto& [name, started] : names)
        EXPECT_EQ(EditorProgramFile("C:\\ed", name, isFile), started) << name;
    EXPECT_EQ(EditorProgramFile("C:\\ed\\", "kelvorn", isFile), "C:\\ed\\kelvorn.exe");
}

}  // namespace
