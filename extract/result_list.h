// The result list: one row per file found, in a report-view list view with
// the columns 序号, 文件名 and 文件路径. The list view is the only store of
// the rows; these operations add, read and clear them.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "extract/found_file.h"

struct ResultRow {
    std::string number;  // 序号
    std::string name;    // 文件名
    std::string path;    // 文件路径
};

// Inserts a row (column 0 text `text`) at `position`, at the end when the
// position is left out, negative or past the end. Returns the new row's
// position, or -1 when the list view refuses it.
int InsertRow(HWND list, std::optional<int> position = {}, const std::string& text = {},
              std::optional<int> image = {}, std::optional<int> stateImage = {},
              std::optional<int> indent = {}, std::optional<LPARAM> data = {});

// Sets one cell's text; a row that does not exist is left alone.
void SetCellText(HWND list, int row, int column = 0, const std::string& text = {});

// A copy of one cell's text of any length; empty for a missing row or column.
std::string GetCellText(HWND list, int row, int column = 0);

int RowCount(HWND list);
void DeleteAllRows(HWND list);

// Appends the row for one found file: number RowCount + 1, the name as found
// and the full path (folder, "\", name). False when the row was refused.
bool AddResultRow(HWND list, const FoundFile& file);
