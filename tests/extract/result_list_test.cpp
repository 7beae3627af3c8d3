// Tests of the result list operations on a real report-view list view.
#include "extract/result_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/extract/list_fixture.h"

namespace {

class ResultListTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(window_.list(), nullptr); }

    // Column 0 of every row, top to bottom.
    std::vector<std::string> FirstColumn() {
        std::vector<std::string> texts;
        for (int i = 0; i < RowCount(list()); ++i) texts.push_back(GetCellText(list(), i));
        return texts;
    }

    LVITEMA ReadItem(int row) {
        LVITEMA item = {};
        item.mask = LVIF_IMAGE | LVIF_STATE | LVIF_INDENT | LVIF_PARAM;
        item.iItem = row;
        item.stateMask = ~0u;
        SendMessageA(list(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        return item;
    }

    HWND list() const { return window_.list(); }

    ResultListWindow window_;
};

TEST_F(ResultListTest, EmptyList) {
    EXPECT_EQ(RowCount(list()), 0);
    EXPECT_EQ(GetCellText(list(), 0), "");
    EXPECT_EQ(GetCellText(list(), 0, 2), "");
    DeleteAllRows(list());
    EXPECT_EQ(RowCount(list()), 0);
}

TEST_F(ResultListTest, InsertRowPositions) {
    EXPECT_EQ(InsertRow(list(), {}, "a"), 0);
    EXPECT_EQ(InsertRow(list(), {}, "b"), 1);
    EXPECT_EQ(InsertRow(list(), -5, "c"), 2);   // negative: at the end
    EXPECT_EQ(InsertRow(list(), 100, "d"), 3);  // past the end: at the end
    EXPECT_EQ(InsertRow(list(), 0, "first"), 0);
    EXPECT_EQ(InsertRow(list(), 2, "mid"), 2);
    EXPECT_EQ(FirstColumn(), (std::vector<std::string>{"first", "a", "mid", "b", "c", "d"}));
    EXPECT_EQ(InsertRow(list()), 6);  // no text at all
    EXPECT_EQ(GetCellText(list(), 6), "");
    DeleteAllRows(list());
    EXPECT_EQ(RowCount(list()), 0);
    EXPECT_EQ(GetCellText(list(), 0), "");
}

TEST_F(ResultListTest, InsertRowExtrasReadBack) {
    struct Case {
        std::optional<int> image, stateImage, indent;
        std::optional<LPARAM> data;
        int wantImage;
        UINT wantStateImage;  // the 1-based state image field
        int wantIndent;
        LPARAM wantData;
    } cases[] = {
        {{}, {}, {}, {}, -1, 0, 0, 0},
        {3, 2, 4, LPARAM{12345}, 3, 3, 4, 12345},
        {-1, -1, 0, LPARAM{-7}, -1, 0, 0, -7},
        {-2, -2, -3, {}, -1, 0, 0, 0},  // out-of-range values fall back to "none"
        {0, 0, 1, LPARAM{0}, 0, 1, 1, 0},
        {{}, 14, {}, {}, -1, 15, 0, 0},  // the largest state image the field holds
    };
    int row = 0;
    for (const auto& c : cases) {
        ASSERT_EQ(InsertRow(list(), {}, "x", c.image, c.stateImage, c.indent, c.data), row);
        LVITEMA item = ReadItem(row);
        EXPECT_EQ(item.iImage, c.wantImage) << "row " << row;
        EXPECT_EQ((item.state & LVIS_STATEIMAGEMASK) >> 12, c.wantStateImage) << "row " << row;
        EXPECT_EQ(item.iIndent, c.wantIndent) << "row " << row;
        EXPECT_EQ(item.lParam, c.wantData) << "row " << row;
        ++row;
    }
}

TEST_F(ResultListTest, CellTexts) {
    ASSERT_EQ(InsertRow(list(), {}, "1"), 0);
    SetCellText(list(), 0, 1, "錦.txt");
    SetCellText(list(), 0, 2, "X:\\a\\錦.txt");
    EXPECT_EQ(GetCellText(list(), 0), "1");
    EXPECT_EQ(GetCellText(list(), 0, 1), "錦.txt");
    EXPECT_EQ(GetCellText(list(), 0, 2), "X:\\a\\錦.txt");
    EXPECT_EQ(GetCellText(list(), 0, 7), "");  // no such column
    EXPECT_EQ(GetCellText(list(), 5, 1), "");  // no such row

    SetCellText(list(), 0, 1);  // left-out text empties the cell
    EXPECT_EQ(GetCellText(list(), 0, 1), "");
    SetCellText(list(), 3, 1, "nowhere");  // no such row: nothing changes
    EXPECT_EQ(RowCount(list()), 1);
}

TEST_F(ResultListTest, LongCellsReadWhole) {
    // 510 bytes fit the first 512-byte read; 511 fill it and force a second
    // read; 600 and 5000 need one and several doublings.
    for (size_t length : {510u, 511u, 512u, 600u, 1023u, 5000u}) {
        std::string text;
        for (size_t i = 0; i < length; ++i) text.push_back(static_cast<char>('a' + i % 26));
        ASSERT_EQ(InsertRow(list(), {}, "n"), 0);
        SetCellText(list(), 0, 2, text);
        EXPECT_EQ(GetCellText(list(), 0, 2), text) << length;
        DeleteAllRows(list());
    }
    // Double-byte characters across the 512-byte boundary stay whole.
    std::string wide;
    for (int i = 0; i < 300; ++i) wide += "錦";
    ASSERT_EQ(InsertRow(list(), {}, wide), 0);
    EXPECT_EQ(GetCellText(list(), 0), wide);
}

TEST_F(ResultListTest, AddResultRowNumbersAndJoinsPaths) {
    struct Case {
        FoundFile file;
        std::string wantPath;
    } cases[] = {
        {{"a.txt", "C:\\dir"}, "C:\\dir\\a.txt"},
        {{"boot.ini", "C:\\"}, "C:\\boot.ini"},  // drive root: no second separator
        {{"b.txt", "X:\\錦"}, "X:\\錦\\b.txt"},  // ends in 錦 (E5 5C), not in "\"
        {{"文件 名.doc", "D:\\文件夹 一"}, "D:\\文件夹 一\\文件 名.doc"},
        {{"noext", "\\\\server\\share\\"}, "\\\\server\\share\\noext"},
    };
    int n = 0;
    for (const auto& c : cases) {
        ASSERT_TRUE(AddResultRow(list(), c.file));
        EXPECT_EQ(GetCellText(list(), n, 0), std::to_string(n + 1));
        EXPECT_EQ(GetCellText(list(), n, 1), c.file.name);
        EXPECT_EQ(GetCellText(list(), n, 2), c.wantPath);
        ++n;
    }
    EXPECT_EQ(RowCount(list()), n);

    // Numbering continues from the row count, and restarts after clearing.
    DeleteAllRows(list());
    ASSERT_TRUE(AddResultRow(list(), {"x", "C:\\"}));
    EXPECT_EQ(GetCellText(list(), 0), "1");
}

// Stands in for a list view that is out of memory: every insertion is refused
// with -1, as the control answers then.
LRESULT CALLBACK RefuseInsertions(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (msg == LVM_INSERTITEMA) return -1;
    return DefSubclassProc(w, msg, wp, lp);
}

TEST_F(ResultListTest, AddResultRowReportsRefusal) {
    ASSERT_TRUE(AddResultRow(list(), {"kept.txt", "C:\\"}));
    ASSERT_TRUE(SetWindowSubclass(list(), RefuseInsertions, 1, 0));
    EXPECT_EQ(InsertRow(list(), {}, "a"), -1);
    EXPECT_FALSE(AddResultRow(list(), {"a.txt", "C:\\"}));
    RemoveWindowSubclass(list(), RefuseInsertions, 1);
    // Nothing of the refused row reached the existing one.
    EXPECT_EQ(RowCount(list()), 1);
    EXPECT_EQ(GetCellText(list(), 0, 1), "kept.txt");
    EXPECT_EQ(GetCellText(list(), 0, 2), "C:\\kept.txt");
}

}  // namespace
