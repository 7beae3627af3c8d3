// Helpers shared by the test programs (see test_support.h).
#include "tests/support/test_support.h"

#include "app/message_pump.h"

#include <commctrl.h>
#include <ole2.h>

#include <algorithm>

namespace testing_support {

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = path + "\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                    RemoveDirectoryA(full.c_str());
                } else {
                    RemoveTree(full);
                }
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(path.c_str());
}

bool MakeDir(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }

std::string ScratchDir(const std::string& name) {
    CreateDirectoryA("C:\\filnor-tests", nullptr);
    std::string dir = "C:\\filnor-tests\\" + name;
    RemoveTree(dir);
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = bytes.empty() ||
              WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == bytes.size();
}

std::string ReadBytes(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string out;
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
    CloseHandle(h);
    return out;
}

SYSTEMTIME MakeTime(int year, int month, int day, int hour, int minute, int second) {
    SYSTEMTIME t = {};
    t.wYear = static_cast<WORD>(year);
    t.wMonth = static_cast<WORD>(month);
    t.wDay = static_cast<WORD>(day);
    t.wHour = static_cast<WORD>(hour);
    t.wMinute = static_cast<WORD>(minute);
    t.wSecond = static_cast<WORD>(second);
    return t;
}

void InitUi() {
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX icc = {sizeof icc,
                                ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
}

void PumpFor(DWORD ms) {
    DWORD start = GetTickCount();
    MSG msg;
    do {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
}

void PumpProgram(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        ProcessPendingMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
}

std::string WindowText(HWND w) {
    char buf[4096] = {};
    GetWindowTextA(w, buf, sizeof buf);
    return buf;
}

std::string MessageBoxText(HWND box) {
    HWND text = GetDlgItem(box, 0xFFFF);
    return text ? WindowText(text) : std::string();
}

namespace {
struct DialogSearch {
    DWORD pid;
    std::vector<HWND> found;
};
BOOL CALLBACK CollectDialog(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<DialogSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (pid == s->pid && IsWindowVisible(w) && std::string(cls) == "#32770") s->found.push_back(w);
    return TRUE;
}
}  // namespace

std::vector<HWND> DialogsOfProcess(DWORD pid) {
    DialogSearch s{pid ? pid : GetCurrentProcessId(), {}};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

MessageBoxAnswerer::MessageBoxAnswerer(int button) : button_(button) {
    InitializeCriticalSection(&lock_);
    thread_ = std::thread([this] { Run(); });
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    stop_ = true;
    thread_.join();
    DeleteCriticalSection(&lock_);
}

std::vector<MessageBoxAnswerer::Seen> MessageBoxAnswerer::Boxes() {
    EnterCriticalSection(&lock_);
    auto copy = seen_;
    LeaveCriticalSection(&lock_);
    return copy;
}

void MessageBoxAnswerer::Run() {
    std::vector<HWND> answered;
    while (!stop_) {
        for (HWND box : DialogsOfProcess()) {
            if (!GetDlgItem(box, 0xFFFF)) continue;  // not a message box
            if (std::find(answered.begin(), answered.end(), box) != answered.end()) continue;
            Sleep(50);  // let the box finish showing
            Seen s{WindowText(box), MessageBoxText(box), GetWindowLongA(box, GWL_STYLE),
                   GetWindow(box, GW_OWNER)};
            EnterCriticalSection(&lock_);
            seen_.push_back(s);
            LeaveCriticalSection(&lock_);
            answered.push_back(box);
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED), 0);
        }
        Sleep(20);
    }
}

}  // namespace testing_support
