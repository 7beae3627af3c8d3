// Tests of the desktop list file pieces: the desktop folder, the date-time
// text and writing the file.
#include "export/desktop_file.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/test_support.h"

namespace {

using testing_support::MakeTime;
using testing_support::ReadBytes;
using testing_support::ScratchDir;
using testing_support::WriteBytes;

TEST(DateTimeTextTest, Table) {
    struct Case {
        SYSTEMTIME time;
        std::string want;
    } cases[] = {
        {MakeTime(2024, 3, 5, 14, 7, 9), "2024年3月5日14时7分9秒"},
        {MakeTime(2024, 3, 5, 14, 7, 0), "2024年3月5日14时7分"},
        {MakeTime(2024, 3, 5, 14, 0, 0), "2024年3月5日14时"},
        {MakeTime(2024, 3, 5, 14, 0, 9), "2024年3月5日14时0分9秒"},
        {MakeTime(2024, 3, 5, 0, 7, 0), "2024年3月5日0时7分"},
        {MakeTime(2024, 3, 5, 0, 0, 0), "2024年3月5日"},
        {MakeTime(2024, 3, 5, 0, 0, 1), "2024年3月5日0时0分1秒"},
        {MakeTime(2026, 12, 11, 15, 31, 54), "2026年12月11日15时31分54秒"},
        {MakeTime(2024, 12, 31, 23, 59, 59), "2024年12月31日23时59分59秒"},
        // The year range is clamped to 100..9999, at midnight.
        {MakeTime(100, 1, 1, 5, 6, 7), "100年1月1日5时6分7秒"},
        {MakeTime(99, 12, 31, 23, 59, 59), "100年1月1日"},
        {MakeTime(1, 6, 15, 12, 0, 0), "100年1月1日"},
        {MakeTime(0, 0, 0, 0, 0, 0), "100年1月1日"},
        {MakeTime(9999, 12, 31, 23, 59, 59), "9999年12月31日23时59分59秒"},
        {MakeTime(10000, 1, 1, 12, 30, 0), "9999年12月31日"},
        {MakeTime(65535, 12, 31, 23, 59, 59), "9999年12月31日"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DateTimeText(c.time), c.want) << c.time.wYear << "-" << c.time.wMonth;
    }
}

TEST(DateTimeTextTest, MillisecondsAreDropped) {
    SYSTEMTIME t = MakeTime(2024, 3, 5, 14, 0, 0);
    t.wMilliseconds = 999;
    EXPECT_EQ(DateTimeText(t), "2024年3月5日14时");
}

TEST(DesktopDirectoryTest, IsThePrefixDesktopWithOneSeparator) {
    const std::string dir = DesktopDirectory();
    ASSERT_GE(dir.size(), 2u);
    EXPECT_EQ(dir.back(), '\\');
    EXPECT_NE(dir[dir.size() - 2], '\\');

    char profile[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableA("USERPROFILE", profile, sizeof profile), 0u);
    EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, dir.c_str(), -1,
                             (std::string(profile) + "\\Desktop\\").c_str(), -1),
              CSTR_EQUAL)
        << dir;
    // A real folder inside the prefix, not a link into the home folder.
    const DWORD attributes = GetFileAttributesA(dir.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

class WriteListFileTest : public ::testing::Test {
  protected:
    void SetUp() override { dir_ = ScratchDir("write-list-file"); }
    void TearDown() override { testing_support::RemoveTree(dir_); }
    std::string dir_;
};

TEST_F(WriteListFileTest, WritesPartsInOrderWithoutBom) {
    const std::string path = dir_ + "\\文件名列表_x.txt";
    ASSERT_TRUE(WriteListFile(path, {"錦.txt\r\n", "", "文件 名.doc\r\n", std::string("a\0b", 3)}));
    EXPECT_EQ(ReadBytes(path),
              std::string("\xE5\x5C.txt\r\n\xCE\xC4\xBC\xFE \xC3\xFB.doc\r\na\0b", 24));
}

TEST_F(WriteListFileTest, ReplacesALongerFile) {
    const std::string path = dir_ + "\\list.txt";
    ASSERT_TRUE(WriteBytes(path, std::string(5000, 'x')));
    ASSERT_TRUE(WriteListFile(path, {"short\r\n"}));
    EXPECT_EQ(ReadBytes(path), "short\r\n");
}

TEST_F(WriteListFileTest, EmptyContentGivesEmptyFile) {
    const std::string path = dir_ + "\\empty.txt";
    ASSERT_TRUE(WriteBytes(path, "old content"));
    EXPECT_TRUE(WriteListFile(path, {""}));
    EXPECT_EQ(ReadBytes(path), "");
    const std::string fresh = dir_ + "\\fresh.txt";
    EXPECT_TRUE(WriteListFile(fresh, {}));
    EXPECT_EQ(ReadBytes(fresh), "");
}

TEST_F(WriteListFileTest, RefusedWhileAnotherOpenerHoldsTheFile) {
    const std::string path = dir_ + "\\held.txt";
    HANDLE other = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(other, "OTHER", 5, &written, nullptr));
    EXPECT_FALSE(WriteListFile(path, {"mine\r\n"}));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    CloseHandle(other);
    EXPECT_EQ(ReadBytes(path), "OTHER");
}

TEST_F(WriteListFileTest, FailsWhereNoFileCanBeCreated) {
    EXPECT_FALSE(WriteListFile(dir_ + "\\missing\\list.txt", {"x"}));
    EXPECT_FALSE(WriteListFile(dir_ + "\\bad|name.txt", {"x"}));
    EXPECT_FALSE(WriteListFile(dir_, {"x"}));  // a folder, not a file
}

TEST_F(WriteListFileTest, EmptyPathTouchesNothing) {
    SetLastError(12345);
    EXPECT_FALSE(WriteListFile("", {"x"}));
    EXPECT_EQ(GetLastError(), 12345u);  // no file function was called
}

}  // namespace
