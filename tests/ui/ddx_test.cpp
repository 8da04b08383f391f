// Exchange helpers and the memory backend's own behaviour.
#include "ui/ddx.h"

#include <gtest/gtest.h>

#include "ui/controls.h"
#include "ui/dialog.h"
#include "ui/script.h"

namespace {

// Unsigned: decimal digits within 32 bits, blanks around allowed; signed: the whole int32
// range with a sign. A refused text leaves the value.
TEST(NumberParsing, TakesDecimalNumbersWithinRange) {
    for (const auto& [text, expected] : {std::pair{"0", 0u},
                                         {" 4294967295 ", 4294967295u},
                                         {"4294967296", 7u},
                                         {"", 7u},
                                         {"12a", 7u},
                                         {"-1", 7u},
                                         {"99999999999999999999999", 7u}}) {
        uint32_t v = 7;
        EXPECT_EQ(ui::ParseUnsigned(text, v), expected != 7u) << text;
        EXPECT_EQ(v, expected) << text;
    }
    for (const auto& [text, expected] : {std::pair{"-2147483648", INT32_MIN},
                                         {"+2147483647", INT32_MAX},
                                         {"-19", -19},
                                         {"2147483648", 7},
                                         {"-2147483649", 7},
                                         {"-", 7},
                                         {"1 2", 7},
                                         {"--1", 7}}) {
        int32_t v = 7;
        EXPECT_EQ(ui::ParseSigned(text, v), expected != 7) << text;
        EXPECT_EQ(v, expected) << text;
    }
}

class ExchangeDialog : public ui::Dialog {
  public:
    ExchangeDialog() : ui::Dialog(900) {}
    int mode = 1;
    std::string depth = "16";
    int32_t width = -5;
    int flag = 1;
    void DoDataExchange(ui::DataExchange& dx) override {
        ui::DDX_Radio(dx, {10, 11, 12}, mode);
        ui::DDX_CBString(dx, 20, depth);
        ui::DDX_Text(dx, 30, width);
        ui::DDX_Check(dx, 40, flag);
    }
    bool OnInitDialog() override {
        for (const char* item : {"8", "15", "16", "24", "32"}) Window().CbAddString(20, item);
        UpdateData(false);  // the list is filled after the first exchange
        return true;
    }
};

TEST(Exchange, RadioComboSignedAndCheckRoundTrip) {
    ui::Script script;
    ExchangeDialog dlg;
    bool middleChecked = false;
    int shownSel = -1;
    std::string shownWidth;
    script.OnDialog(900, [&](ui::Dialog& d) {
        middleChecked = d.Window().IsChecked(11) && !d.Window().IsChecked(10);
        shownSel = d.Window().CbGetCurSel(20);
        shownWidth = d.Window().GetItemText(30);
        d.Window().SetCheck(11, false);
        d.Window().SetCheck(12, true);
        d.Window().CbSetCurSel(20, 0);
        d.Window().SetItemText(30, "-640");
        d.Window().SetCheck(40, false);
        d.PressEnter();
    });
    EXPECT_EQ(dlg.DoModal(), ui::IdOk);
    EXPECT_TRUE(middleChecked);
    EXPECT_EQ(shownSel, 2);
    EXPECT_EQ(shownWidth, "-5");
    EXPECT_EQ(dlg.mode, 2);
    EXPECT_EQ(dlg.depth, "8");
    EXPECT_EQ(dlg.width, -640);
    EXPECT_EQ(dlg.flag, 0);
}

TEST(Exchange, OkStaysOpenWhenTheExchangeFails) {
    ui::Script script;
    ExchangeDialog dlg;
    bool stillOpen = false;
    script.OnDialog(900, [&](ui::Dialog& d) {
        d.Window().SetItemText(30, "wide");
        d.PressEnter();
        stillOpen = !d.IsEnding();
        d.PressEscape();
    });
    EXPECT_EQ(dlg.DoModal(), ui::IdCancel);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(dlg.width, -5);
    ASSERT_EQ(script.MessageBoxes().size(), 1u);
    EXPECT_EQ(script.MessageBoxes()[0].text, ui::kPromptSigned);
}

class FilterDialog : public ui::Dialog {
  public:
    FilterDialog() : ui::Dialog(901) {}
    ui::FilteredEdit name{[](unsigned ch) { return ch != '*' && ch != '\\'; }};
    void DoDataExchange(ui::DataExchange& dx) override { ui::DDX_Control(dx, 5, name); }
};

TEST(MemoryBackend, TypedCharactersPassTheFilter) {
    ui::Script script;
    FilterDialog dlg;
    std::string typed;
    script.OnDialog(901, [&](ui::Dialog& d) {
        for (unsigned ch : std::vector<unsigned>{'a', '*', '\\', 'b', 0x416u, '\b', 'c'})
            d.Window().TypeChar(5, ch);
        typed = d.Window().GetItemText(5);
        d.PressEscape();
    });
    dlg.DoModal();
    EXPECT_EQ(typed, "abc");
}

}  // namespace
