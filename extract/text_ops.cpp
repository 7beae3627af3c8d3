// Text operations over code page 936 byte strings (see text_ops.h).
#include "extract/text_ops.h"

#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

// The text proper: the bytes before the first zero.
std::string_view TextOf(const std::string& text) {
    return std::string_view(text.data(), std::strlen(text.c_str()));
}

bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

char FoldAsciiUpper(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compares `target` with the bytes at `at`, which the caller guarantees hold
// at least target.size() bytes. Letters A-Z fold to lower case; a double-byte
// character must match in both bytes, so a trail byte that happens to be a
// letter is never folded.
bool MatchesIgnoringCase(const char* at, std::string_view target) {
    size_t i = 0;
    while (i < target.size()) {
        if (IsLeadByte(target[i]) && i + 1 < target.size()) {
            if (at[i] != target[i] || at[i + 1] != target[i + 1]) return false;
            i += 2;
        } else {
            if (FoldAsciiUpper(at[i]) != FoldAsciiUpper(target[i])) return false;
            i += 1;
        }
    }
    return true;
}

template <typename T>
std::string Format(const char* format, T value) {
    char buf[64];
    int n = std::snprintf(buf, sizeof buf, format, value);
    if (n < 0) return std::string();
    return std::string(buf, static_cast<size_t>(n) < sizeof buf ? n : sizeof buf - 1);
}

}  // namespace

int TextLength(const std::string& text) { return static_cast<int>(TextOf(text).size()); }

std::string RightPart(const std::string& text, int n) {
    std::string_view t = TextOf(text);
    if (n <= 0) return std::string();
    if (static_cast<size_t>(n) >= t.size()) return std::string(t);
    return std::string(t.substr(t.size() - n));
}

std::string MiddlePart(const std::string& text, int start, int n) {
    std::string_view t = TextOf(text);
    if (start < 1 || static_cast<size_t>(start) > t.size() || n <= 0) return std::string();
    return std::string(t.substr(start - 1, n));
}

int FindLastText(const std::string& text, const std::string& target, std::optional<int> start,
                 bool ignoreCase) {
    std::string_view t = TextOf(text);
    std::string_view want = TextOf(target);

    size_t searched = t.size();
    if (start) {
        if (*start <= 1) {
            searched = 0;
        } else if (static_cast<size_t>(*start - 1) < t.size()) {
            searched = static_cast<size_t>(*start - 1);
        }
    }
    if (want.empty()) return searched > 0 ? 1 : -1;

    int last = -1;
    size_t pos = 0;
    while (pos < searched) {
        if (want.size() <= searched - pos) {
            bool hit = ignoreCase ? MatchesIgnoringCase(t.data() + pos, want)
                                  : t.compare(pos, want.size(), want) == 0;
            if (hit) last = static_cast<int>(pos) + 1;
        }
        // A lead byte takes its trail byte along; a lead byte that ends the
        // searched part has no trail byte and ends the walk.
        pos += IsLeadByte(t[pos]) ? 2 : 1;
    }
    return last;
}

std::pair<std::string, std::string> SplitAtLast(const std::string& text, const std::string& sep) {
    int p = FindLastText(text, sep);
    if (p == -1) return {std::string(), std::string(TextOf(text))};
    int length = TextLength(text);
    int sepLength = TextLength(sep);
    return {MiddlePart(text, 1, p - 1), RightPart(text, length - p - sepLength + 1)};
}

bool EndsWithSeparator(const std::string& text) {
    std::string_view t = TextOf(text);
    size_t pos = 0;
    size_t lastStart = std::string_view::npos;
    while (pos < t.size()) {
        lastStart = pos;
        pos += (IsLeadByte(t[pos]) && pos + 1 < t.size()) ? 2 : 1;
    }
    return lastStart != std::string_view::npos && t[lastStart] == '\\';
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    std::string_view f = TextOf(folder);
    std::string_view n = TextOf(name);
    std::string path;
    path.reserve(f.size() + 1 + n.size());
    path.append(f);
    if (!EndsWithSeparator(folder)) path.push_back('\\');
    path.append(n);
    return path;
}

std::string ToText(int value) { return Format("%d", value); }
std::string ToText(unsigned char value) { return Format("%u", static_cast<unsigned>(value)); }
std::string ToText(long long value) { return Format("%lld", value); }
std::string ToText(float value) { return Format("%.6g", static_cast<double>(value)); }
std::string ToText(double value) { return Format("%.13g", value); }
