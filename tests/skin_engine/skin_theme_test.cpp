// Reading the skin text: the real skin with small edits, well-formed and not.
#include <gtest/gtest.h>

#include <cstring>

#include "skin_engine/skin_engine.h"
#include "skin_engine/skin_theme.h"
#include "tests/skin_engine/guarded_bytes.h"
#include "tests/skin_engine/skin_test_data.h"

namespace {

// The source with the first line that starts with `key` replaced by `line`
// (removed when `line` is empty).
std::string WithLine(std::string text, const std::string& key, const std::string& line) {
    size_t at = text.find("\n" + key);
    if (at == std::string::npos) return "<no such key>";
    size_t end = text.find('\n', at + 1);
    text.replace(at + 1, end - at, line.empty() ? "" : line + "\n");
    return text;
}

// The whole line of the source that starts with `key`.
std::string LineOf(const std::string& text, const std::string& key) {
    size_t at = text.find("\n" + key);
    if (at == std::string::npos) return "<no such key>";
    size_t end = text.find('\n', at + 1);
    return text.substr(at + 1, end - at - 1);
}

int Parse(const std::string& text, SkinTheme* theme) {
    GuardedBytes bytes(text);  // no terminating zero to lean on
    return SkinParseTheme(reinterpret_cast<const char*>(bytes.data()), bytes.size(), theme);
}

}  // namespace

TEST(SkinTheme, ColoursAreReadAsRedGreenBlue) {
    SkinTheme theme;
    ASSERT_EQ(SKIN_OK,
              Parse(WithLine(SkinSource(), "window.face", "window.face = #102030"), &theme));
    EXPECT_EQ(RGB(0x10, 0x20, 0x30), theme.windowFace);
    ASSERT_EQ(SKIN_OK, Parse(WithLine(SkinSource(), "button.radius", "button.radius=7"), &theme));
    EXPECT_EQ(7, theme.buttonRadius);
}

// Layout variations that change nothing.
TEST(SkinTheme, LayoutVariationsGiveTheSameTheme) {
    std::string source = SkinSource();
    SkinTheme reference;
    ASSERT_EQ(SKIN_OK, Parse(source, &reference));
    std::string crlf;
    for (char c : source) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    const std::string variants[] = {
        crlf,
        source + "future.key = #123456\n",
        "# leading comment\n\n   \n" + source,
        WithLine(
            source, "window.face",
            "\t " +
                [&] {
                    std::string line = LineOf(source, "window.face");
                    return line.replace(line.find(" = "), 3, "\t=\t");
                }() +
                " \t"),
        source.substr(0, source.size() - 1),  // no newline after the last line
    };
    for (const auto& text : variants) {
        SkinTheme theme;
        ASSERT_EQ(SKIN_OK, Parse(text, &theme)) << text;
        EXPECT_EQ(0, std::memcmp(&reference, &theme, sizeof theme)) << text;
    }
}

TEST(SkinTheme, MalformedTextIsRefused) {
    std::string source = SkinSource();
    struct Case {
        const char* what;
        std::string text;
    };
    const Case cases[] = {
        {"empty", ""},
        {"missing key", WithLine(source, "status.face", "")},
        {"missing value", WithLine(source, "status.face", "status.face =")},
        {"duplicate key", source + "window.face = #000000\n"},
        {"short colour", WithLine(source, "group.caption", "group.caption = #0F667")},
        {"long colour", WithLine(source, "group.caption", "group.caption = #0F66700")},
        {"not hex", WithLine(source, "group.caption", "group.caption = #0G6670")},
        {"no hash", WithLine(source, "group.caption", "group.caption = 0F6670")},
        {"size too big", WithLine(source, "button.radius", "button.radius = 33")},
        {"negative size", WithLine(source, "button.radius", "button.radius = -1")},
        {"other version", WithLine(source, "version", "version = 2")},
        {"line without =", source + "stray words\n"},
        {"empty key", source + "= #FFFFFF\n"},
        {"zero byte", WithLine(source, "status.text", std::string("status.text = #E4F2F1\0", 22))},
    };
    for (const auto& c : cases) {
        SkinTheme theme;
        EXPECT_EQ(SKIN_E_SKIN_TEXT, Parse(c.text, &theme)) << c.what;
    }
}
