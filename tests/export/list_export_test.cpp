// Tests of the export: the list file's path and content, and the whole export
// to the prefix's desktop with the outcome box answered by the test.
#include "export/list_export.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/desktop_file.h"
#include "extract/result_list.h"
#include "tests/extract/list_fixture.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::MakeTime;
using testing_support::MessageBoxAnswerer;
using testing_support::ReadBytes;

TEST(ListFilePathTest, JoinsDesktopNameAndTime) {
    const SYSTEMTIME t = MakeTime(2024, 3, 5, 14, 7, 9);
    EXPECT_EQ(ListFilePath("C:\\users\\root\\Desktop\\", t),
              "C:\\users\\root\\Desktop\\\\文件名列表_2024年3月5日14时7分9秒.txt");
    EXPECT_EQ(ListFilePath("", t), "");

    // The path must leave room for its terminating zero within MAX_PATH.
    const std::string tail = "\\文件名列表_" + DateTimeText(t) + ".txt";
    const std::string fits = "C:\\" + std::string(MAX_PATH - 1 - 4 - tail.size(), 'd') + "\\";
    ASSERT_EQ((fits + tail).size(), static_cast<size_t>(MAX_PATH - 1));
    EXPECT_EQ(ListFilePath(fits, t), fits + tail);
    const std::string tooLong = "C:\\" + std::string(MAX_PATH - 4 - tail.size(), 'd') + "\\";
    EXPECT_EQ(ListFilePath(tooLong, t), "");
}

class ListExportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(window_.list(), nullptr);
        desktop_ = DesktopDirectory();
        ASSERT_FALSE(desktop_.empty());
        RemoveListFiles();
    }
    void TearDown() override { RemoveListFiles(); }

    HWND list() const { return window_.list(); }

    void AddRows(const std::vector<FoundFile>& files) {
        for (const auto& f : files) ASSERT_TRUE(AddResultRow(list(), f));
    }

    // The list files now on the desktop, by name.
    std::vector<std::string> ListFiles() {
        std::vector<std::string> names;
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((desktop_ + "文件名列表_*.txt").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) return names;
        do names.push_back(fd.cFileName);
        while (FindNextFileA(h, &fd));
        FindClose(h);
        return names;
    }

    void RemoveListFiles() {
        for (const auto& name : ListFiles()) DeleteFileA((desktop_ + name).c_str());
    }

    // The names the export may choose for a local time from `from` on, one
    // per second for `seconds` seconds.
    static std::vector<std::string> NamesFrom(SYSTEMTIME from, int seconds) {
        from.wMilliseconds = 0;
        FILETIME ft;
        SystemTimeToFileTime(&from, &ft);
        ULARGE_INTEGER at{{ft.dwLowDateTime, ft.dwHighDateTime}};
        std::vector<std::string> names;
        for (int i = 0; i < seconds; ++i) {
            FILETIME f{at.LowPart, at.HighPart};
            SYSTEMTIME t;
            FileTimeToSystemTime(&f, &t);
            names.push_back("文件名列表_" + DateTimeText(t) + ".txt");
            at.QuadPart += 10000000ull;  // one second
        }
        return names;
    }

    static bool Contains(const std::vector<std::string>& v, const std::string& s) {
        for (const auto& x : v) {
            if (x == s) return true;
        }
        return false;
    }

    ResultListWindow window_;
    std::string desktop_;
};

TEST_F(ListExportTest, ContentIsOneNamePerLine) {
    EXPECT_EQ(ListFileContent(list()), "");
    AddRows({{"a.txt", "C:\\"}, {"錦.txt", "X:\\錦"}, {"文件 名", "D:\\d"}});
    EXPECT_EQ(ListFileContent(list()), "a.txt\r\n錦.txt\r\n文件 名\r\n");
}

TEST_F(ListExportTest, WritesTheDesktopFileAndReportsDone) {
    AddRows({{"a.txt", "C:\\dir"}, {"錦.txt", "X:\\a"}, {"报告 2024.doc", "C:\\"}});
    SYSTEMTIME before;
    GetLocalTime(&before);
    bool ok;
    std::vector<MessageBoxAnswerer::Seen> boxes;
    {
        MessageBoxAnswerer answerer(IDOK);
        ok = ExportList(window_.frame(), list());
        boxes = answerer.Boxes();
    }
    EXPECT_TRUE(ok);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "消息");
    EXPECT_EQ(boxes[0].text, "生成完毕，请到桌面查看生成的文件！");
    EXPECT_EQ(boxes[0].owner, window_.frame());

    const auto files = ListFiles();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(Contains(NamesFrom(before, 30), files[0])) << files[0];
    EXPECT_EQ(ReadBytes(desktop_ + files[0]),
              "a.txt\r\n\xE5\x5C.txt\r\n\xB1\xA8\xB8\xE6 2024.doc\r\n");
    // The export only reads the list.
    EXPECT_EQ(RowCount(list()), 3);
    EXPECT_EQ(GetCellText(list(), 2, 2), "C:\\报告 2024.doc");
}

TEST_F(ListExportTest, EmptyListGivesEmptyFileReportedDone) {
    MessageBoxAnswerer answerer(IDOK);
    EXPECT_TRUE(ExportList(window_.frame(), list()));
    auto boxes = answerer.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "生成完毕，请到桌面查看生成的文件！");
    const auto files = ListFiles();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(ReadBytes(desktop_ + files[0]), "");
}

TEST_F(ListExportTest, FileHeldByAnotherOpenerReportsFailure) {
    AddRows({{"a.txt", "C:\\"}});
    // Hold every name the export can pick in the next minute, as another
    // program would, with no sharing.
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::vector<HANDLE> held;
    for (const auto& name : NamesFrom(now, 60)) {
        HANDLE h = CreateFileA((desktop_ + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(h, "OTHER", 5, &written, nullptr);
        held.push_back(h);
    }
    bool ok;
    std::vector<MessageBoxAnswerer::Seen> boxes;
    {
        MessageBoxAnswerer answerer(IDOK);
        ok = ExportList(window_.frame(), list());
        boxes = answerer.Boxes();
    }
    for (HANDLE h : held) CloseHandle(h);
    EXPECT_FALSE(ok);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "消息");
    EXPECT_EQ(boxes[0].text, "生成失败，一定是哪里出了问题！");
    EXPECT_EQ(boxes[0].owner, window_.frame());
    const auto files = ListFiles();
    EXPECT_EQ(files.size(), 60u);  // no other name was used
    for (const auto& name : files) EXPECT_EQ(ReadBytes(desktop_ + name), "OTHER") << name;
}

// Moves the desktop folder aside for the life of the object, so the system
// cannot report it, and puts it back afterwards.
class DesktopMovedAside {
  public:
    explicit DesktopMovedAside(const std::string& desktop)
        : from_(desktop.substr(0, desktop.size() - 1)), to_(from_ + ".aside") {
        moved_ = MoveFileA(from_.c_str(), to_.c_str()) != 0;
    }
    ~DesktopMovedAside() {
        if (moved_) MoveFileA(to_.c_str(), from_.c_str());
    }
    DesktopMovedAside(const DesktopMovedAside&) = delete;
    DesktopMovedAside& operator=(const DesktopMovedAside&) = delete;
    bool moved() const { return moved_; }

  private:
    std::string from_, to_;
    bool moved_;
};

TEST_F(ListExportTest, MissingDesktopWritesNothingAndReportsFailure) {
    AddRows({{"a.txt", "C:\\"}});
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof current, current);
    const std::string driveRoot = std::string(current, 3);
    bool ok;
    std::vector<MessageBoxAnswerer::Seen> boxes;
    {
        DesktopMovedAside aside(desktop_);
        ASSERT_TRUE(aside.moved());
        ASSERT_EQ(DesktopDirectory(), "");
        MessageBoxAnswerer answerer(IDOK);
        ok = ExportList(window_.frame(), list());
        boxes = answerer.Boxes();
    }
    EXPECT_FALSE(ok);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "生成失败，一定是哪里出了问题！");
    // Nothing landed at the root of the current drive instead.
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((driveRoot + "文件名列表_*").c_str(), &fd);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE) << fd.cFileName;
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
    EXPECT_TRUE(ListFiles().empty());
}

}  // namespace
