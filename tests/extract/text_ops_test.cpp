// Tests of the text operations: byte cutting, the character-aware search from
// the end, splitting, separator detection and number texts.
#include "extract/text_ops.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

const std::string kJinPath = "X:\\a\\錦.txt";  // 錦 is E5 5C: its trail byte is "\"

TEST(TextOpsTest, DoubleByteLiteralsAreCodePage936) {
    ASSERT_EQ(kJinPath.size(), 11u);
    EXPECT_EQ(kJinPath.substr(5, 2), std::string("\xE5\x5C"));
    EXPECT_EQ(std::string("　"), std::string("\xA1\xA1"));
}

TEST(TextOpsTest, TextLengthStopsAtFirstZero) {
    EXPECT_EQ(TextLength(""), 0);
    EXPECT_EQ(TextLength(kJinPath), 11);
    EXPECT_EQ(TextLength(std::string("ab\0cd", 5)), 2);
}

TEST(TextOpsTest, RightPartBounds) {
    struct Case {
        std::string text;
        int n;
        std::string want;
    } cases[] = {
        {"abcdef", 2, "ef"},
        {"abcdef", 6, "abcdef"},
        {"abcdef", 7, "abcdef"},
        {"abcdef", 0, ""},
        {"abcdef", -3, ""},
        {"", 3, ""},
        {std::string("ab\0cd", 5), 1, "b"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RightPart(c.text, c.n), c.want) << c.text << " " << c.n;
    }
}

TEST(TextOpsTest, MiddlePartBounds) {
    struct Case {
        std::string text;
        int start, n;
        std::string want;
    } cases[] = {
        {"abcdef", 1, 3, "abc"},
        {"abcdef", 3, 2, "cd"},
        {"abcdef", 5, 10, "ef"},
        {"abcdef", 6, 1, "f"},
        {"abcdef", 0, 3, ""},
        {"abcdef", -1, 3, ""},
        {"abcdef", 7, 1, ""},
        {"abcdef", 2, 0, ""},
        {"abcdef", 2, -1, ""},
        {"", 1, 1, ""},
        {std::string("ab\0cd", 5), 3, 1, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MiddlePart(c.text, c.start, c.n), c.want)
            << c.text << " " << c.start << " " << c.n;
    }
}

TEST(TextOpsTest, FindLastTextWalksByCharacter) {
    struct Case {
        std::string text, target;
        std::optional<int> start;
        bool ignoreCase;
        int want;
    } cases[] = {
        // The trail byte 5C of 錦 (position 7) is not a "\".
        {kJinPath, "\\", {}, false, 5},
        {"abc", "\\", {}, false, -1},
        {"a.b.txt", ".", {}, false, 4},
        {"aaaa", "aa", {}, false, 3},  // overlapping occurrences count
        {"abc", "abcd", {}, false, -1},
        // Empty target: 1 for any non-empty searched part, else -1.
        {"abc", "", {}, false, 1},
        {"", "", {}, false, -1},
        {"abc", "", 1, false, -1},
        {"abc", "", 2, false, 1},
        // A start position limits the search to the bytes before it.
        {"a.b.txt", ".", 4, false, 2},
        {"a.b.txt", ".", 5, false, 4},
        {"a.b.txt", ".", 100, false, 4},
        {"a.b.txt", ".", 1, false, -1},
        {"a.b.txt", ".", -7, false, -1},
        {"a.b.txt", "b.t", 5, false, -1},  // the target must fit in the searched part
        // A lone lead byte at the end stops the walk; earlier matches stand.
        {"a\\b\\\x81", "\\", {}, false, 4},
        {"\\\xE5", "\\", {}, false, 1},
        // Ignoring case folds A-Z only.
        {"C:\\DIR\\File.TXT", ".txt", {}, true, 12},
        {"C:\\DIR\\File.TXT", ".txt", {}, false, -1},
        {"ABC錦def", "c錦D", {}, true, 3},
        {"ABC錦def", "c錦D", {}, false, -1},
        // 丄 is 81 41 and 乤 is 81 61: their trail bytes differ only like
        // "A" and "a", but they are different characters.
        {"x丄y", "乤", {}, true, -1},
        {"x丄y", "丄", {}, true, 2},
        // A target starting inside a double-byte character never matches.
        {"錦", "\\", {}, true, -1},
        {std::string("a.b\0.c", 6), ".", {}, false, 2},  // the text ends at its zero
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindLastText(c.text, c.target, c.start, c.ignoreCase), c.want)
            << "text=" << c.text << " target=" << c.target << " start=" << (c.start ? *c.start : 0)
            << " icase=" << c.ignoreCase;
    }
}

TEST(TextOpsTest, SplitAtLastTable) {
    struct Case {
        std::string text, sep, before, after;
    } cases[] = {
        {kJinPath, "\\", "X:\\a", "錦.txt"},      {"a.b.txt", ".", "a.b", "txt"},
        {".profile", ".", "", "profile"},         {"name.", ".", "name", ""},
        {"noseparator", "\\", "", "noseparator"}, {"C:\\", "\\", "C:", ""},
        {"a::b::c", "::", "a::b", "c"},           {"", ".", "", ""},
    };
    for (const auto& c : cases) {
        auto parts = SplitAtLast(c.text, c.sep);
        EXPECT_EQ(parts.first, c.before) << c.text;
        EXPECT_EQ(parts.second, c.after) << c.text;
    }
    auto jin = SplitAtLast(kJinPath, "\\");
    EXPECT_EQ(jin.first.size(), 4u);
    EXPECT_EQ(jin.second.size(), 6u);
}

TEST(TextOpsTest, EndsWithSeparatorByCharacter) {
    struct Case {
        std::string text;
        bool want;
    } cases[] = {
        {"C:\\", true},    {"C:\\dir\\", true}, {"\\", true},
        {"X:\\錦", false}, {"X:\\dir", false},  {"", false},
        {"錦\\", true},    {"a\\\x81", false},  {std::string("a\0\\", 3), false},
    };
    for (const auto& c : cases) EXPECT_EQ(EndsWithSeparator(c.text), c.want) << c.text;
}

TEST(TextOpsTest, JoinPathAddsOneSeparator) {
    EXPECT_EQ(JoinPath("C:\\", "a.txt"), "C:\\a.txt");
    EXPECT_EQ(JoinPath("C:\\dir", "a.txt"), "C:\\dir\\a.txt");
    EXPECT_EQ(JoinPath("X:\\錦", "b.txt"), "X:\\錦\\b.txt");
}

TEST(TextOpsTest, ToTextKinds) {
    EXPECT_EQ(ToText(7), "7");
    EXPECT_EQ(ToText(-12), "-12");
    EXPECT_EQ(ToText(0), "0");
    EXPECT_EQ(ToText(INT_MIN), "-2147483648");
    EXPECT_EQ(ToText(static_cast<unsigned char>(255)), "255");
    EXPECT_EQ(ToText(static_cast<unsigned char>(0)), "0");
    EXPECT_EQ(ToText(9007199254740993LL), "9007199254740993");
    EXPECT_EQ(ToText(LLONG_MIN), "-9223372036854775808");
    EXPECT_EQ(ToText(3.14159265f), "3.14159");
    EXPECT_EQ(ToText(0.5f), "0.5");
    EXPECT_EQ(ToText(1e10f), "1e+10");
    EXPECT_EQ(ToText(0.1), "0.1");
    EXPECT_EQ(ToText(1.0 / 3.0), "0.3333333333333");
    EXPECT_EQ(ToText(-2.5), "-2.5");
    EXPECT_EQ(ToText(1e20), "1e+20");
}

}  // namespace
