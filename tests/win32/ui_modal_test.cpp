// What only real windows show of the win32 backend's modal side: owned dialogs, message
// boxes as the user sees them, the queue emptied between showings. The dialog tests drive
// the rest of it through the program's own dialogs, run_e2e_test.cpp the main window.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/common/helpers.h"
#include "tests/win32/windows_helpers.h"
#include "ui/dialog.h"
#include "ui/modal.h"
#include "ui/win32/util.h"

using namespace testing_win32;
using ui::win32::WindowOf;

namespace {

// A dialog opened from another is owned by it and disables it while up; a box shows the
// caption, text, buttons and icon it is given, over its owner or over nothing.
TEST(Win32Modal, OwnedDialogsAndMessageBoxesAsTheUserSeesThem) {
    ui::Dialog main(IDD_LOADER);
    HWND owner = nullptr;
    std::vector<std::wstring> seen;
    ActivationHook hook([&](HWND box) {
        if (GetDlgItem(box, 0xFFFF)) seen.push_back(BoxSeen(box, owner));
    });
    bool ownedByMain = false, mainEnabled = true;
    intptr_t childCode = 0, answer = 0;
    ui::Script script;
    script.AnswerMessageBox(ui::IdNo);
    script.AnswerMessageBox(ui::IdCancel);
    script.OnDialog(IDD_LOADER, [&](ui::Dialog&) {
        childCode = ui::Dialog(IDD_FORCE_DT1, &main).DoModal();
        main.EndDialog(ui::IdOk);
    });
    script.OnDialog(IDD_FORCE_DT1, [&](ui::Dialog& child) {
        owner = WindowOf(&child);
        ownedByMain = GetWindow(owner, GW_OWNER) == WindowOf(&main);
        mainEnabled = IsWindowEnabled(WindowOf(&main)) != FALSE;
        answer = ui::ShowMessageBox(&child, "Overwrite \"caf\xe9.ds1\"?", "Warning",
                                    ui::MbYesNo | ui::MbIconExclamation);
        child.PressEnter();
    });
    EXPECT_EQ(main.DoModal(), ui::IdOk);
    EXPECT_EQ(ui::ShowMessageBox(nullptr, "one", "ERROR", ui::MbOkCancel), ui::IdCancel);
    // With no answer left the box is answered OK.
    EXPECT_EQ(ui::ShowMessageBox(nullptr, "two", "Success", ui::MbOk), ui::IdOk);
    EXPECT_TRUE(ownedByMain && !mainEnabled);
    EXPECT_EQ(childCode, ui::IdOk);
    EXPECT_EQ(answer, ui::IdNo);
    EXPECT_EQ(seen,
              (std::vector<std::wstring>{L"Warning|Overwrite \"caf\u00e9.ds1\"?|owned|YesNo|icon",
                                         L"ERROR|one|-|OkCancel|-", L"Success|two|-|Ok|-"}));
    EXPECT_TRUE(script.Finished()) << test::Errors(script);
}

// Nothing queued for one showing of the main window may reach the next: a quit message
// would end it at once.
TEST(Win32Modal, DiscardQueuedMessagesEmptiesTheQueue) {
    PostThreadMessageW(GetCurrentThreadId(), WM_APP + 7, 0, 0);
    PostQuitMessage(0);
    ui::DiscardQueuedMessages();
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

}  // namespace
