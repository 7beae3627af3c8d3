// ProcessPendingMessages and Delay against the real message queue.
#include <gtest/gtest.h>

#include "app/message_pump.h"

TEST(ProcessPendingMessages, LeavesQuitInQueueAndHandlesTheRest) {
    PostThreadMessageA(GetCurrentThreadId(), WM_USER + 1, 0, 0);
    PostQuitMessage(7);
    ProcessPendingMessages();
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    // WM_USER+1 was handled before the quit message; the quit message stays.
    EXPECT_EQ(static_cast<UINT>(WM_QUIT), msg.message);
    EXPECT_EQ(7u, msg.wParam);
}

TEST(ProcessPendingMessages, ReturnsAtOnceOnEmptyQueue) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    DWORD start = GetTickCount();
    ProcessPendingMessages();
    EXPECT_LT(GetTickCount() - start, 100u);
}

TEST(Delay, NonPositiveReturnsAtOnceAndPositiveWaits) {
    DWORD start = GetTickCount();
    Delay(0);
    Delay(-5);
    EXPECT_LT(GetTickCount() - start, 50u);
    start = GetTickCount();
    Delay(300);
    EXPECT_GE(GetTickCount() - start, 300u);
}

int timerHits = 0;
void CALLBACK CountTimer(HWND, UINT, UINT_PTR, DWORD) { ++timerHits; }

TEST(Delay, HandlesMessagesWhileWaiting) {
    timerHits = 0;
    UINT_PTR id = SetTimer(nullptr, 0, 20, CountTimer);
    Delay(200);
    KillTimer(nullptr, id);
    EXPECT_GE(timerHits, 3);
}
