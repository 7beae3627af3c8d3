// The message loop step shared by the main loop and by long-running work
// that keeps the window alive (ProcessPendingMessages, Delay).
#pragma once

#include <windows.h>

// Handles one message exactly as the main loop does: keyboard
// pre-translation, then TranslateMessage and DispatchMessageA.
void HandleMessage(MSG& msg);

// Handles every message waiting in the thread's queue, then returns. Never
// waits; a waiting WM_QUIT is left in the queue for the main loop.
void ProcessPendingMessages();

// Returns after at least `milliseconds` (GetTickCount), handling messages the
// whole time. Busy: it never sleeps. A count of 0 or less returns at once.
void Delay(int milliseconds);
