// The export of the result list to the desktop (see list_export.h).
#include "export/list_export.h"

#include <utility>
#include <vector>

#include "export/desktop_file.h"
#include "export/show_message.h"
#include "extract/result_list.h"

std::string ListFilePath(const std::string& desktopDir, const SYSTEMTIME& time) {
    if (desktopDir.empty()) return std::string();
    std::string path = desktopDir + "\\文件名列表_" + DateTimeText(time) + ".txt";
    if (path.size() >= MAX_PATH) return std::string();  // no room for the terminating zero
    return path;
}

std::string ListFileContent(HWND list) {
    const int rows = RowCount(list);
    std::string content;
    // Most names are short; start with room for that and let longer lists grow.
    content.reserve(static_cast<size_t>(rows > 0 ? rows : 0) * 24);
    for (int row = 0; row < rows; ++row) {
        content += GetCellText(list, row, 1);
        content += "\r\n";
    }
    return content;
}

bool ExportList(HWND owner, HWND list) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::string path = ListFilePath(DesktopDirectory(), now);
    bool written = false;
    if (!path.empty()) {
        std::vector<std::string> parts;
        parts.push_back(ListFileContent(list));
        written = WriteListFile(path, parts);
    }
    if (written) {
        ShowMessage(kExportDoneText, MB_ICONINFORMATION, std::string(kExportCaption), owner);
    } else {
        ShowMessage(kExportFailedText, MB_ICONERROR, std::string(kExportCaption), owner);
    }
    return written;
}
