// The message loop step shared by the main loop and by work that pumps
// messages while it runs.
#include "app/message_pump.h"

#include "app/keyboard.h"

void HandleMessage(MSG& msg) {
    if (PreTranslateKeyboard(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

void ProcessPendingMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT) return;
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) return;
        HandleMessage(msg);
    }
}

void Delay(int milliseconds) {
    if (milliseconds <= 0) return;
    const DWORD start = GetTickCount();
    const DWORD length = static_cast<DWORD>(milliseconds);
    for (;;) {
        ProcessPendingMessages();
        ProcessPendingMessages();
        // Unsigned difference: correct across the 49.7-day wrap of the tick count.
        if (GetTickCount() - start > length) return;
        ProcessPendingMessages();
        ProcessPendingMessages();
    }
}
