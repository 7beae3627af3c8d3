// The program under test, driven from outside (see target_program.h).
#include "tests/e2e/target_program.h"

#include <commctrl.h>

#include <cstring>

#include "tests/e2e/remote_memory.h"
#include "tests/support/test_support.h"

namespace e2e {

namespace {

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindChildById(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<ChildSearch*>(lp);
    if (GetDlgCtrlID(w) != s->id) return TRUE;
    s->found = w;
    return FALSE;
}

}  // namespace

std::string ProgramPath() {
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    std::string p(path, n);
    for (int up = 0; up < 3; ++up) {
        const size_t cut = p.find_last_of('\\');
        if (cut == std::string::npos) return {};
        p.resize(cut);
    }
    return p + "\\Filnor.exe";
}

TargetProgram::TargetProgram(const std::string& exe, const std::string& directory) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string commandLine = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        directory.c_str(), &si, &pi)) {
        return;
    }
    process_ = pi.hProcess;
    thread_ = pi.hThread;
    pid_ = pi.dwProcessId;
}

TargetProgram::~TargetProgram() {
    if (process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
    if (thread_) CloseHandle(thread_);
    if (process_) CloseHandle(process_);
}

HWND TargetProgram::WaitForMainWindow(DWORD ms) {
    WaitFor(
        [&] {
            for (HWND w = FindWindowA(nullptr, kMainWindowTitle); w;
                 w = FindWindowExA(nullptr, w, nullptr, kMainWindowTitle)) {
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                if (pid == pid_ && IsWindowVisible(w)) {
                    window_ = w;
                    return true;
                }
            }
            return false;
        },
        ms);
    return window_;
}

HWND TargetProgram::Control(ControlId id) const {
    ChildSearch s{id, nullptr};
    if (window_) EnumChildWindows(window_, FindChildById, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

bool TargetProgram::WaitForExit(DWORD ms, DWORD* exitCode) {
    if (!process_ || WaitForSingleObject(process_, ms) != WAIT_OBJECT_0) return false;
    return GetExitCodeProcess(process_, exitCode) != 0;
}

std::string TargetProgram::WindowText(HWND w) const {
    // WM_GETTEXT's buffer is carried across processes by the system.
    const LRESULT length = SendMessageA(w, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) * 2 + 2, '\0');
    SendMessageA(w, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(strlen(text.c_str()));
    return text;
}

std::string TargetProgram::StatusText(int part) const {
    HWND bar = Control(kIdStatusBar);
    if (!bar) return {};
    // The length comes in characters under Wine; room for two bytes each.
    const size_t length = LOWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, part, 0));
    RemoteMemory buffer(process_, 2 * length + 2);
    if (!buffer.Valid()) return {};
    SendMessageA(bar, SB_GETTEXTA, part, buffer.Address());
    std::string text(buffer.Size(), '\0');
    if (!buffer.Read(&text[0], text.size())) return {};
    text.resize(strlen(text.c_str()));
    return text;
}

int TargetProgram::RowCount() const {
    HWND list = Control(kIdResultList);
    return list ? static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) : -1;
}

std::string TargetProgram::CellText(HWND list, int row, int column) const {
    constexpr size_t kTextSize = 1024;
    RemoteMemory block(process_, sizeof(LVITEMA) + kTextSize);
    if (!block.Valid()) return {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<char*>(block.Address(sizeof(LVITEMA)));
    item.cchTextMax = kTextSize;
    if (!block.Write(&item, sizeof item)) return {};
    const LRESULT copied = SendMessageA(list, LVM_GETITEMTEXTA, row, block.Address());
    if (copied <= 0) return {};
    std::string text(kTextSize, '\0');
    if (!block.Read(&text[0], kTextSize, sizeof(LVITEMA))) return {};
    text.resize(strnlen(text.c_str(), kTextSize));
    return text;
}

std::vector<ResultRow> TargetProgram::Rows() const {
    std::vector<ResultRow> rows;
    HWND list = Control(kIdResultList);
    const int count = RowCount();
    for (int i = 0; i < count; ++i) {
        rows.push_back({CellText(list, i, 0), CellText(list, i, 1), CellText(list, i, 2)});
    }
    return rows;
}

HWND TargetProgram::FindMessageBox() const {
    for (HWND d : testing_support::DialogsOfProcess(pid_)) {
        if (GetDlgItem(d, 0xFFFF)) return d;
    }
    return nullptr;
}

void TypeText(HWND edit, const std::string& text) {
    const int n =
        MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    for (wchar_t c : wide) PostMessageW(edit, WM_CHAR, c, 1);
}

bool PasteText(HWND edit, const std::string& text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!memory) return false;
    if (void* p = GlobalLock(memory)) {
        memcpy(p, text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
    }
    if (!OpenClipboard(nullptr)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    // The clipboard owns the memory once it accepts it.
    const bool set = SetClipboardData(CF_TEXT, memory) != nullptr;
    CloseClipboard();
    if (!set) {
        GlobalFree(memory);
        return false;
    }
    PostMessageA(edit, WM_PASTE, 0, 0);
    return true;
}

}  // namespace e2e
