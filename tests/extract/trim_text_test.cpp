// Tests of TrimText: the cut around the text, and the white-space class under
// the code page 936 locale for every byte value.
#include "extract/trim_text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

TEST(TrimTextTest, Table) {
    struct Case {
        std::string text, want;
    } cases[] = {
        {"", ""},
        {"   C:\\dir", "C:\\dir"},
        {"C:\\dir\t\r\n", "C:\\dir"},
        {"  \tC:\\my dir\\sub\t\r\n", "C:\\my dir\\sub"},
        {" \t\r\n\v\f ", ""},
        {"  x  ", "x"},
        {"x", "x"},
        {"ab", "ab"},
        {"a b  c", "a b  c"},
        {"C:\\文件夹 一\\錦  ", "C:\\文件夹 一\\錦"},
        {"  錦", "錦"},
        {"　C:\\dir　", "　C:\\dir　"},  // the full-width space is not white space
        {" 　 ", "　"},
        {std::string(" a \0 b ", 7), "a"},  // the text ends at its zero
    };
    for (const auto& c : cases) EXPECT_EQ(TrimText(c.text), c.want) << "[" << c.text << "]";
}

// For every byte value: between two letters it never ends the match (so the
// inner run is kept), and in front of a letter it is cut exactly when it is
// one of the six white-space bytes.
TEST(TrimTextTest, WhiteSpaceClassIsExactlySixBytes) {
    ASSERT_EQ(GetACP(), 936u);  // the class is the one of the code page 936 locale
    const std::string white = "\x09\x0A\x0B\x0C\x0D\x20";
    std::string classifiedWhite;
    for (int b = 1; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const bool isWhite = white.find(c) != std::string::npos;
        std::string inner = std::string("a") + c + "b";
        EXPECT_EQ(TrimText(inner), inner) << "byte " << b;
        std::string leading = std::string(1, c) + "a";
        std::string trailing = std::string("a") + c;
        if (TrimText(leading) == "a") classifiedWhite.push_back(c);
        EXPECT_EQ(TrimText(leading), isWhite ? "a" : leading) << "byte " << b;
        EXPECT_EQ(TrimText(trailing), isWhite ? "a" : trailing) << "byte " << b;
        EXPECT_EQ(TrimText(std::string(1, c)), isWhite ? "" : std::string(1, c)) << "byte " << b;
    }
    EXPECT_EQ(classifiedWhite, white);
}

}  // namespace
