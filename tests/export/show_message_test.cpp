// Tests of ShowMessage on real message boxes answered from a second thread.
#include "export/show_message.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/support/test_support.h"

namespace {

using testing_support::MessageBoxAnswerer;

TEST(ShowMessageTest, ReturnsTheClosingButton) {
    struct Case {
        UINT style;
        int button;
        int want;
    } cases[] = {
        {MB_OK, IDOK, 0},
        {MB_OKCANCEL, IDCANCEL, 1},
        {MB_ABORTRETRYIGNORE, IDABORT, 2},
        {MB_RETRYCANCEL, IDRETRY, 3},
        {MB_ABORTRETRYIGNORE, IDIGNORE, 4},
        {MB_YESNO, IDYES, 5},
        {MB_YESNOCANCEL, IDNO, 6},
    };
    for (const auto& c : cases) {
        MessageBoxAnswerer answerer(c.button);
        EXPECT_EQ(ShowMessage("选择", c.style | MB_ICONQUESTION, std::string("问题")), c.want)
            << "button " << c.button;
        auto boxes = answerer.Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, "问题");
        EXPECT_EQ(boxes[0].text, "选择");
    }
}

TEST(ShowMessageTest, DefaultCaptionAndOwner) {
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    {
        MessageBoxAnswerer answerer(IDOK);
        EXPECT_EQ(ShowMessage("无标题"), 0);
        EXPECT_EQ(ShowMessage("有主人", MB_ICONINFORMATION, std::string("消息"), owner), 0);
        auto boxes = answerer.Boxes();
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[0].caption, "信息：");
        EXPECT_EQ(boxes[0].text, "无标题");
        EXPECT_EQ(boxes[0].owner, nullptr);
        EXPECT_EQ(boxes[1].caption, "消息");
        EXPECT_EQ(boxes[1].owner, owner);
    }
    DestroyWindow(owner);
}

// Watches for one message box of this process, notes what the program's
// window looks like while the box is up, then presses OK.
struct BoxWatch {
    HWND programWindow;
    std::atomic<bool> seen{false};
    bool windowEnabledDuringBox = true;
    bool boxTopmost = false;

    void Run() {
        DWORD start = GetTickCount();
        while (GetTickCount() - start < 10000) {
            for (HWND box : testing_support::DialogsOfProcess()) {
                if (!GetDlgItem(box, 0xFFFF)) continue;
                Sleep(50);
                windowEnabledDuringBox = IsWindowEnabled(programWindow) != 0;
                boxTopmost = (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
                seen = true;
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                return;
            }
            Sleep(20);
        }
    }
};

TEST(ShowMessageTest, ModalToTheProgramUnlessSystemModal) {
    HWND window = CreateWindowExA(0, "STATIC", "program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  300, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    {
        // Without an owner, a task-modal box disables the thread's windows.
        BoxWatch watch{window};
        std::thread t([&] { watch.Run(); });
        EXPECT_EQ(ShowMessage("任务模态"), 0);
        t.join();
        ASSERT_TRUE(watch.seen);
        EXPECT_FALSE(watch.windowEnabledDuringBox);
        EXPECT_FALSE(watch.boxTopmost);
        EXPECT_TRUE(IsWindowEnabled(window));
    }
    {
        // A system-modal box stays topmost and does not get the task-modal bit.
        BoxWatch watch{window};
        std::thread t([&] { watch.Run(); });
        EXPECT_EQ(ShowMessage("系统模态", MB_SYSTEMMODAL), 0);
        t.join();
        ASSERT_TRUE(watch.seen);
        EXPECT_TRUE(watch.windowEnabledDuringBox);
        EXPECT_TRUE(watch.boxTopmost);
    }
    DestroyWindow(window);
}

}  // namespace
