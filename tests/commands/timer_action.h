// Acting in the middle of a walk: a timer of a hidden helper window calls a
// step each time the thread handles its messages (which a running walk does
// between entries), until the step reports that it is done.
#pragma once

#include <windows.h>

#include <functional>

namespace commands_test {

class TimerAction {
  public:
    // `step` runs on this thread from the timer, at most every `intervalMs`;
    // it returns true once it has acted. It never runs re-entrantly.
    explicit TimerAction(std::function<bool()> step, UINT intervalMs = 10);
    ~TimerAction();
    TimerAction(const TimerAction&) = delete;
    TimerAction& operator=(const TimerAction&) = delete;

    bool Done() const { return done_; }

  private:
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                 DWORD_PTR self);
    void Tick();

    std::function<bool()> step_;
    HWND helper_ = nullptr;
    bool running_ = false;
    bool done_ = false;
};

}  // namespace commands_test
