// The actions behind the main window's five buttons, and the extraction
// that walks a folder into the result list.
#include "app/commands.h"

#include <commctrl.h>

#include <vector>

#include "app/message_pump.h"
#include "app/status_bar.h"
#include "appearance/links.h"
#include "export/list_export.h"
#include "export/show_message.h"
#include "extract/browse_folder.h"
#include "extract/result_list.h"
#include "extract/text_ops.h"
#include "extract/trim_text.h"

namespace {

constexpr char kChooseFolderText[] = "请选择一个文件夹";
constexpr char kNoSuchFolderText[] = "指定的文件夹不存在，请重新选择！";
constexpr char kMessageCaption[] = "消息";
constexpr DWORD kProgressIntervalMs = 100;

std::string WindowText(HWND w) {
    const int length = GetWindowTextLengthA(w);
    std::vector<char> buf(static_cast<size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(w, buf.data(), length + 1);
    return std::string(buf.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

bool IsExistingFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ProgressText(long long count) {
    return "正在提取：已找到 " + ToText(count) + " 个文件";
}

// The end text names every loss: folders that could not be searched, and
// files the list refused (it is out of memory).
std::string DoneText(long long count, int unreadable, long long refused) {
    std::string text = "提取完成：共 " + ToText(count) + " 个文件";
    if (unreadable > 0) text += "，" + ToText(unreadable) + " 个文件夹无法读取";
    if (refused > 0) text += "，" + ToText(refused) + " 个文件无法加入列表";
    return text;
}

void SetListRedraw(HWND list, bool on) {
    SendMessageA(list, WM_SETREDRAW, on ? TRUE : FALSE, 0);
    if (on) InvalidateRect(list, nullptr, TRUE);
}

}  // namespace

bool RunExtraction(const std::shared_ptr<MainWindowState>& state, const std::string& folder) {
    MainWindowState& s = *state;
    const HWND list = s.resultList;
    DeleteAllRows(list);
    s.rowsFolder.clear();

    long long count = 0;
    long long refused = 0;
    WalkControl control;
    s.activeWalk = &control;
    SetStatusText(s.statusBar, 0, ProgressText(0));

    // Rows go in with the list's redraw off; it repaints only around the
    // pumps, at most every kProgressIntervalMs, which keeps the live view at
    // close to the cost of a hidden fill.
    SetListRedraw(list, false);
    DWORD lastShown = GetTickCount();
    control.pump = [&] {
        const bool show = GetTickCount() - lastShown >= kProgressIntervalMs;
        if (show) {
            SetListRedraw(list, true);
            SetStatusText(s.statusBar, 0, ProgressText(count));
        }
        ProcessPendingMessages();
        if (control.stop) return;  // cleared or closed: the window is not touched again
        if (show) {
            SetListRedraw(list, false);
            lastShown = GetTickCount();
        }
    };
    WalkFolder(
        folder,
        [&](const FoundFile& file) {
            if (AddResultRow(list, file)) {
                ++count;
            } else {
                ++refused;
            }
        },
        control);
    s.activeWalk = nullptr;
    if (control.stop) return false;

    SetListRedraw(list, true);
    SetStatusText(s.statusBar, 0, DoneText(count, control.unreadableFolders, refused));
    s.rowsFolder = folder;
    return true;
}

void OnBrowseClicked(const std::shared_ptr<MainWindowState>& state) {
    if (state->activeWalk) return;  // one walk at a time
    const std::string folder = BrowseFolder(kChooseFolderText);
    if (folder.empty()) return;  // cancelled: nothing changes
    SetWindowTextA(state->pathBox, folder.c_str());
    RunExtraction(state, folder);
}

void OnSaveClicked(const std::shared_ptr<MainWindowState>& state) {
    if (state->activeWalk) return;
    MainWindowState& s = *state;
    const std::string folder = TrimText(WindowText(s.pathBox));
    if (folder.empty()) {
        ShowMessage(kChooseFolderText, MB_ICONINFORMATION, std::string(kMessageCaption), s.window);
        return;
    }
    if (!IsExistingFolder(folder)) {
        ShowMessage(kNoSuchFolderText, MB_ICONWARNING, std::string(kMessageCaption), s.window);
        return;
    }
    if (s.rowsFolder != folder) {
        SetWindowTextA(s.pathBox, folder.c_str());
        if (!RunExtraction(state, folder)) return;
    }
    ExportList(s.window, s.resultList);
}

void OnClearClicked(const std::shared_ptr<MainWindowState>& state) {
    MainWindowState& s = *state;
    if (s.activeWalk) {
        // Runs nested inside the walk, possibly while the list's redraw is off.
        s.activeWalk->stop = true;
        SetListRedraw(s.resultList, true);
    }
    DeleteAllRows(s.resultList);
    s.rowsFolder.clear();
    SetWindowTextA(s.pathBox, "");
    SetStatusText(s.statusBar, 0, kReadyText);
}

void OnHelpClicked(const std::shared_ptr<MainWindowState>& state) { ShowHelp(state->window); }

void OnWebSiteClicked(const std::shared_ptr<MainWindowState>&) { OnWebSiteClicked(); }
