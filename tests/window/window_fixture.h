// A real main window for the tests of this folder, created as the program
// creates it and destroyed after each test.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/message_pump.h"
#include "tests/support/test_support.h"

using testing_support::PumpProgram;

// Presses and releases a key through the system's input queue, with Shift
// held when asked.
inline void PressKey(WORD vk, bool shift = false) {
    INPUT in[4] = {};
    int n = 0;
    auto key = [&](WORD code, bool up) {
        in[n].type = INPUT_KEYBOARD;
        in[n].ki.wVk = code;
        in[n].ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        ++n;
    };
    if (shift) key(VK_SHIFT, false);
    key(vk, false);
    key(vk, true);
    if (shift) key(VK_SHIFT, true);
    SendInput(n, in, sizeof(INPUT));
    PumpProgram(60);
}

class MainWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { testing_support::InitUi(); }
    void SetUp() override {
        window = CreateMainWindow(GetModuleHandleA(nullptr));
        ASSERT_NE(nullptr, window);
        SetForegroundWindow(window);
        PumpProgram(200);
    }
    void TearDown() override {
        if (IsWindow(window)) DestroyWindow(window);
        // Drop the quit message the window posts when it is destroyed.
        testing_support::PumpFor(50);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    HWND Control(ControlId id) const { return MainControl(window, id); }

    HWND window = nullptr;
};
