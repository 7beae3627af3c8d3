// A hidden top-level test window holding a report-view list view with the
// three result columns, like the main window's result list.
#pragma once

#include <windows.h>
#include <commctrl.h>

class ResultListWindow {
  public:
    ResultListWindow() {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&icc);
        frame_ = CreateWindowExA(0, "STATIC", "list test", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        list_ =
            CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL,
                            0, 0, 580, 380, frame_, nullptr, GetModuleHandleA(nullptr), nullptr);
        const char* titles[] = {"序号", "文件名", "文件路径"};
        for (int i = 0; i < 3; ++i) {
            LVCOLUMNA col = {};
            col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
            col.cx = 150;
            col.pszText = const_cast<char*>(titles[i]);
            col.iSubItem = i;
            SendMessageA(list_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
        }
    }
    ~ResultListWindow() {
        if (frame_) DestroyWindow(frame_);
    }
    ResultListWindow(const ResultListWindow&) = delete;
    ResultListWindow& operator=(const ResultListWindow&) = delete;

    HWND frame() const { return frame_; }
    HWND list() const { return list_; }

  private:
    HWND frame_ = nullptr;
    HWND list_ = nullptr;
};
