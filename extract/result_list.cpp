// The result list operations over a list view (see result_list.h).
#include "extract/result_list.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

#include "extract/text_ops.h"

int InsertRow(HWND list, std::optional<int> position, const std::string& text,
              std::optional<int> image, std::optional<int> stateImage, std::optional<int> indent,
              std::optional<LPARAM> data) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE | LVIF_INDENT;
    item.iSubItem = 0;
    item.iItem = (position && *position >= 0) ? *position : RowCount(list);
    item.pszText = const_cast<char*>(text.c_str());
    item.iImage = (image && *image >= -1) ? *image : -1;
    if (stateImage) {
        const long long oneBased = static_cast<long long>(*stateImage) + 1;
        item.state = oneBased < 0 ? 0 : INDEXTOSTATEIMAGEMASK(oneBased) & LVIS_STATEIMAGEMASK;
    }
    item.iIndent = (indent && *indent >= 0) ? *indent : 0;
    item.lParam = data ? *data : 0;
    return static_cast<int>(
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void SetCellText(HWND list, int row, int column, const std::string& text) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::string GetCellText(HWND list, int row, int column) {
    // A cell longer than this is not a file name or path; stop growing there
    // rather than trust a count that never shrinks.
    constexpr size_t kLargestBuffer = size_t{1} << 24;
    std::vector<char> buffer(512);
    for (;;) {
        buffer[0] = '\0';
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const LRESULT copied = SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                                            reinterpret_cast<LPARAM>(&item));
        if (copied < static_cast<LRESULT>(buffer.size()) - 1 || buffer.size() >= kLargestBuffer) {
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    // A missing row or column leaves the buffer empty as set above; never read
    // past the buffer even if the control left it unterminated.
    buffer.back() = '\0';
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

int RowCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

void DeleteAllRows(HWND list) { SendMessageA(list, LVM_DELETEALLITEMS, 0, 0); }

bool AddResultRow(HWND list, const FoundFile& file) {
    const int row = InsertRow(list, {}, ToText(RowCount(list) + 1));
    if (row < 0) return false;
    SetCellText(list, row, 1, file.name);
    SetCellText(list, row, 2, JoinPath(file.folder, file.name));
    return true;
}
