// Helpers shared by the test programs: scratch folders inside the Wine
// prefix, file bytes, message pumping and answering message boxes.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

// A fresh, empty folder C:\filnor-tests\<name> (any earlier content removed).
std::string ScratchDir(const std::string& name);

void RemoveTree(const std::string& path);
bool WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool MakeDir(const std::string& path);

// A local date-time to the second.
SYSTEMTIME MakeTime(int year, int month, int day, int hour, int minute, int second);

// OLE and the common controls (list view, status bar, standard classes), as
// the program initialises them at start-up. Safe to call more than once.
void InitUi();

// Handles the calling thread's messages for about `ms` milliseconds.
void PumpFor(DWORD ms);

// Handles messages the way the program's loop does (with the keyboard
// pre-translation) for about `ms` milliseconds.
void PumpProgram(DWORD ms);

// Pumps messages until `done()` is true or `ms` milliseconds have passed.
template <typename Pred>
bool PumpUntil(Pred done, DWORD ms) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms) return false;
        PumpFor(10);
    }
    return true;
}

// The text of a message box: the static control with id 0xFFFF.
std::string MessageBoxText(HWND box);
std::string WindowText(HWND w);

// Visible dialog windows (#32770) belonging to process `pid` (0: this one).
std::vector<HWND> DialogsOfProcess(DWORD pid = 0);

// Watches, on a thread of its own, for message boxes of this process and
// answers each one with `button` (IDOK, IDCANCEL, ...) after recording its
// caption and text. Stops when destroyed.
class MessageBoxAnswerer {
  public:
    explicit MessageBoxAnswerer(int button = IDOK);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    struct Seen {
        std::string caption;
        std::string text;
        LONG style;
        HWND owner;
    };
    std::vector<Seen> Boxes();  // what was answered so far

  private:
    void Run();
    int button_;
    std::atomic<bool> stop_{false};
    CRITICAL_SECTION lock_;
    std::vector<Seen> seen_;
    std::thread thread_;
};

}  // namespace testing_support
