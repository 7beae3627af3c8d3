// The mid-walk timer action (see timer_action.h).
#include "tests/commands/timer_action.h"

#include <commctrl.h>

namespace commands_test {

namespace {
constexpr UINT_PTR kTimerId = 1;
constexpr UINT_PTR kSubclassId = 1;
}  // namespace

TimerAction::TimerAction(std::function<bool()> step, UINT intervalMs) : step_(std::move(step)) {
    helper_ =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (!helper_) return;
    SetWindowSubclass(helper_, Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    SetTimer(helper_, kTimerId, intervalMs, nullptr);
}

TimerAction::~TimerAction() {
    if (!helper_) return;
    KillTimer(helper_, kTimerId);
    RemoveWindowSubclass(helper_, Proc, kSubclassId);
    DestroyWindow(helper_);
}

void TimerAction::Tick() {
    if (done_ || running_) return;
    running_ = true;
    if (step_()) {
        done_ = true;
        KillTimer(helper_, kTimerId);
    }
    running_ = false;
}

LRESULT CALLBACK TimerAction::Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                   DWORD_PTR self) {
    if (msg == WM_TIMER && wp == kTimerId) {
        reinterpret_cast<TimerAction*>(self)->Tick();
        return 0;
    }
    return DefSubclassProc(w, msg, wp, lp);
}

}  // namespace commands_test
