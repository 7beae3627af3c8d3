// The export on a click of the save button: the rows' file names into a new
// file on the desktop, and the outcome in a message box.
#pragma once

#include <windows.h>

#include <string>

inline constexpr char kExportDoneText[] = "生成完毕，请到桌面查看生成的文件！";
inline constexpr char kExportFailedText[] = "生成失败，一定是哪里出了问题！";
inline constexpr char kExportCaption[] = "消息";

// The list file's path: the desktop folder, "\文件名列表_", the date-time text
// and ".txt". Empty when the folder is empty or the path does not fit in
// MAX_PATH.
std::string ListFilePath(const std::string& desktopDir, const SYSTEMTIME& time);

// The 文件名 cell (column 1) of every row, in row order, each followed by
// "\r\n".
std::string ListFileContent(HWND list);

// Writes the list file for the current local time and shows the outcome box
// (caption "消息", owned by `owner`). Returns whether the file was written.
bool ExportList(HWND owner, HWND list);
