// Exchange helpers and the memory backend's own behaviour.
#include "ui/ddx.h"

#include <gtest/gtest.h>

#include "ui/controls.h"
#include "ui/dialog.h"
#include "ui/memory/memory_port.h"
#include "ui/script.h"

namespace {

TEST(NumberParsing, UnsignedTakesDecimalDigitsWithinRange) {
    uint32_t v = 7;
    EXPECT_TRUE(ui::ParseUnsigned("0", v));
    EXPECT_EQ(v, 0u);
    EXPECT_TRUE(ui::ParseUnsigned(" 4294967295 ", v));
    EXPECT_EQ(v, 4294967295u);
    v = 7;
    EXPECT_FALSE(ui::ParseUnsigned("4294967296", v));
    EXPECT_FALSE(ui::ParseUnsigned("", v));
    EXPECT_FALSE(ui::ParseUnsigned("12a", v));
    EXPECT_FALSE(ui::ParseUnsigned("-1", v));
    EXPECT_FALSE(ui::ParseUnsigned("99999999999999999999999", v));
    EXPECT_EQ(v, 7u);
}

TEST(NumberParsing, SignedTakesTheWholeInt32Range) {
    int32_t v = 7;
    EXPECT_TRUE(ui::ParseSigned("-2147483648", v));
    EXPECT_EQ(v, INT32_MIN);
    EXPECT_TRUE(ui::ParseSigned("+2147483647", v));
    EXPECT_EQ(v, INT32_MAX);
    v = 7;
    EXPECT_FALSE(ui::ParseSigned("2147483648", v));
    EXPECT_FALSE(ui::ParseSigned("-", v));
    EXPECT_FALSE(ui::ParseSigned("1 2", v));
    EXPECT_EQ(v, 7);
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
        d.Window().CbSetCurSel(20, 4);
        d.Window().SetItemText(30, "-640");
        d.Window().SetCheck(40, false);
        d.PressEnter();
    });
    EXPECT_EQ(dlg.DoModal(), ui::IdOk);
    EXPECT_TRUE(middleChecked);
    EXPECT_EQ(shownSel, 2);
    EXPECT_EQ(shownWidth, "-5");
    EXPECT_EQ(dlg.mode, 2);
    EXPECT_EQ(dlg.depth, "32");
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

TEST(MemoryBackend, WithoutAScriptADialogIsCancelled) {
    ExchangeDialog dlg;
    EXPECT_EQ(dlg.DoModal(), ui::IdCancel);
}

TEST(MemoryBackend, ReportsTheDpiATestSets) {
    ui::Script script;
    ExchangeDialog dlg;
    int dpi = 0;
    ui::memory::SetDpi(144);
    script.OnDialog(900, [&](ui::Dialog& d) {
        dpi = d.Window().GetDpi();
        d.PressEscape();
    });
    dlg.DoModal();
    ui::memory::SetDpi(96);
    EXPECT_EQ(dpi, 144);
}

}  // namespace
