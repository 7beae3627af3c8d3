// The fixture of the button tests: the real main window, clicks on its
// buttons, what it shows (path box, rows, status bar) and the desktop list
// files, which are removed before and after each test.
#pragma once

#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "extract/result_list.h"
#include "tests/commands/desktop_files.h"
#include "tests/commands/folder_tree.h"
#include "tests/window/window_fixture.h"

namespace commands_test {

inline constexpr char kMessageCaption[] = "消息";
inline constexpr char kDoneText[] = "生成完毕，请到桌面查看生成的文件！";
inline constexpr char kChooseFolderText[] = "请选择一个文件夹";
inline constexpr char kNoSuchFolderText[] = "指定的文件夹不存在，请重新选择！";
inline constexpr char kReady[] = "准备就绪";

inline std::string DoneStatus(size_t files) {
    return "提取完成：共 " + std::to_string(files) + " 个文件";
}

class CommandsTest : public MainWindowTest {
  protected:
    void SetUp() override {
        RemoveDesktopListFiles();
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        RemoveDesktopListFiles();
    }

    // A click as the button itself reports it; returns when the handler has.
    void Click(ControlId id) { SendMessageA(Control(id), BM_CLICK, 0, 0); }
    // A click that waits in the queue for the next message pump.
    void PostClick(ControlId id) { PostMessageA(Control(id), BM_CLICK, 0, 0); }

    void SetBox(const std::string& text) {
        SendMessageA(Control(kIdPathBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    std::string Box() {
        HWND box = Control(kIdPathBox);
        std::string text(static_cast<size_t>(GetWindowTextLengthA(box)) + 1, '\0');
        text.resize(
            static_cast<size_t>(GetWindowTextA(box, &text[0], static_cast<int>(text.size()))));
        return text;
    }
    std::string Status(int part = 0) {
        HWND bar = Control(kIdStatusBar);
        // Wine counts the length in characters, not bytes: leave room for
        // two bytes each.
        const size_t length = LOWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, part, 0));
        std::string text(2 * length + 2, '\0');
        SendMessageA(bar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(&text[0]));
        text.resize(strlen(text.c_str()));
        return text;
    }
    HWND List() { return Control(kIdResultList); }
    std::vector<ResultRow> Rows() { return ListRows(List()); }

    // The only list file on the desktop, with its content; fails the test
    // when there is not exactly one.
    ::testing::AssertionResult OneListFile(std::string* name, std::string* content) {
        const std::vector<std::string> files = DesktopListFiles();
        if (files.size() != 1) {
            return ::testing::AssertionFailure() << files.size() << " list files on the desktop";
        }
        *name = files[0];
        *content = testing_support::ReadBytes(DesktopFolder() + "\\" + files[0]);
        return ::testing::AssertionSuccess();
    }
};

}  // namespace commands_test
