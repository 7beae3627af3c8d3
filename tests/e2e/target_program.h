// The real program started as a process of its own, and what a user sees
// of it from outside: its main window and controls, the path box, the
// result list, the status bar and its message boxes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/main_window.h"
#include "extract/result_list.h"

namespace e2e {

// Waits, checking every 20 ms, until `done()` or `ms` have passed.
template <typename Pred>
bool WaitFor(Pred done, DWORD ms) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms) return false;
        Sleep(20);
    }
    return true;
}

// The program file of this build: <build>\Filnor.exe, two folders above
// this test program (<build>\tests\e2e\).
std::string ProgramPath();

class TargetProgram {
  public:
    // Starts `exe` with no command line, in the current directory
    // `directory`. Ends it on destruction when it is still running.
    TargetProgram(const std::string& exe, const std::string& directory);
    ~TargetProgram();
    TargetProgram(const TargetProgram&) = delete;
    TargetProgram& operator=(const TargetProgram&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD Pid() const { return pid_; }
    HANDLE Process() const { return process_; }

    // Waits for the visible main window of this process, found by its title.
    HWND WaitForMainWindow(DWORD ms);
    HWND Window() const { return window_; }
    // A control of the main window by its id, found among all descendants.
    HWND Control(ControlId id) const;

    // Waits for the process to end; false when it is still running.
    bool WaitForExit(DWORD ms, DWORD* exitCode);

    // What the user sees.
    std::string WindowText(HWND w) const;
    std::string StatusText(int part) const;
    std::vector<ResultRow> Rows() const;
    int RowCount() const;

    // A visible message box of this process (a dialog with a static 0xFFFF),
    // or null.
    HWND FindMessageBox() const;

  private:
    std::string CellText(HWND list, int row, int column) const;

    HANDLE process_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD pid_ = 0;
    HWND window_ = nullptr;
};

// Types `text` (code page 936) into an edit control of another process as
// WM_CHAR messages, one per character.
void TypeText(HWND edit, const std::string& text);

// Pastes `text` into an edit control through the clipboard (WM_PASTE).
bool PasteText(HWND edit, const std::string& text);

// Presses a push button: the button handles the click in its own thread.
inline void Press(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

}  // namespace e2e
