// Keyboard behaviour at window level: the focus cycle, Esc, Enter, F1 and
// the focus restored on reactivation, driven through the real input queue.
#include "tests/window/window_fixture.h"

namespace {
const ControlId kCycle[] = {kIdBrowse, kIdPathBox, kIdResultList, kIdWebSite,
                            kIdHelp,   kIdSave,    kIdClear,      kIdBrowse};
}

TEST_F(MainWindowTest, FocusStartsOnBrowseAndTabCyclesBothWays) {
    EXPECT_EQ(Control(kIdBrowse), GetFocus());
    for (int i = 1; i < 8; ++i) {
        PressKey(VK_TAB);
        EXPECT_EQ(Control(kCycle[i]), GetFocus()) << "Tab " << i;
    }
    for (int i = 6; i >= 0; --i) {
        PressKey(VK_TAB, true);
        EXPECT_EQ(Control(kCycle[i]), GetFocus()) << "Shift+Tab to " << i;
    }
    PressKey(VK_TAB, true);
    EXPECT_EQ(Control(kIdClear), GetFocus());
}

TEST_F(MainWindowTest, TabSkipsHiddenAndDisabledControls) {
    EnableWindow(Control(kIdResultList), FALSE);
    ShowWindow(Control(kIdWebSite), SW_HIDE);
    SetFocus(Control(kIdPathBox));
    PressKey(VK_TAB);
    EXPECT_EQ(Control(kIdHelp), GetFocus());
    PressKey(VK_TAB, true);
    EXPECT_EQ(Control(kIdPathBox), GetFocus());
}

TEST_F(MainWindowTest, EnterAndF1DoNothingAtWindowLevel) {
    SetFocus(Control(kIdPathBox));
    SetWindowTextA(Control(kIdPathBox), "abc");
    testing_support::MessageBoxAnswerer answerer(IDOK);
    PressKey(VK_RETURN);
    PressKey(VK_F1);
    PumpProgram(200);
    EXPECT_EQ(Control(kIdPathBox), GetFocus());
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(answerer.Boxes().empty());  // no button was pressed, no help shown
    EXPECT_EQ("abc", testing_support::WindowText(Control(kIdPathBox)));
}

TEST_F(MainWindowTest, EscClosesFromThePathBoxAndPostsQuit) {
    SetFocus(Control(kIdPathBox));
    SetWindowTextA(Control(kIdPathBox), "C:\\some text");
    PressKey(VK_ESCAPE);
    PumpProgram(100);
    EXPECT_FALSE(IsWindow(window));
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(0u, msg.wParam);
}

TEST_F(MainWindowTest, FocusReturnsOnReactivation) {
    SetFocus(Control(kIdHelp));
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                 nullptr, nullptr, nullptr);
    SetActiveWindow(other);
    PumpProgram(50);
    EXPECT_NE(Control(kIdHelp), GetFocus());
    SetActiveWindow(window);
    PumpProgram(50);
    EXPECT_EQ(Control(kIdHelp), GetFocus());
    DestroyWindow(other);
}
