// Answers the shell folder browser of this process from a thread of its own,
// as a user would: chooses a folder in the tree and presses OK, or presses
// Cancel. It also counts how many browsers it saw.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

namespace commands_test {

class BrowserAnswerer {
  public:
    // With an empty `folder` every browser is cancelled; otherwise `folder`
    // (a C: path) is selected, checked to show as `label`, and confirmed.
    explicit BrowserAnswerer(std::string folder = {}, std::string label = {});
    ~BrowserAnswerer();
    BrowserAnswerer(const BrowserAnswerer&) = delete;
    BrowserAnswerer& operator=(const BrowserAnswerer&) = delete;

    int Seen() const { return seen_; }
    // The folder showed as the tree's selection before OK was pressed.
    bool Selected() const { return selected_; }

  private:
    void Run();
    void Answer(HWND dialog);

    std::string folder_;
    std::string label_;
    std::atomic<bool> stop_{false};
    std::atomic<int> seen_{0};
    std::atomic<bool> selected_{false};
    std::thread thread_;
};

}  // namespace commands_test
