// Text operations over code page 936 byte strings: length, cutting, searching
// from the end (character-aware), splitting, and number-to-text conversion.
// A text ends at its first zero byte; positions count bytes from 1 and -1
// means "not found".
#pragma once

#include <optional>
#include <string>
#include <utility>

// Length in bytes, up to (not including) the first zero byte.
int TextLength(const std::string& text);

// The last n bytes; empty for n <= 0, the whole text when n exceeds the length.
std::string RightPart(const std::string& text, int n);

// The n bytes starting at byte `start` (from 1); empty when start is outside
// the text or n <= 0; a count running past the end is cut.
std::string MiddlePart(const std::string& text, int start, int n);

// Position (from 1) of the last occurrence of `target` that begins at the start
// of a character, or -1. With `start`, only the first start - 1 bytes are
// searched. `ignoreCase` folds A-Z only and compares double-byte characters as
// whole units.
int FindLastText(const std::string& text, const std::string& target, std::optional<int> start = {},
                 bool ignoreCase = false);

// The parts before and after the last occurrence of `sep`; without one, the
// empty text and the whole text.
std::pair<std::string, std::string> SplitAtLast(const std::string& text, const std::string& sep);

// True when the last character (not merely the last byte) is "\".
bool EndsWithSeparator(const std::string& text);

// folder + "\" + name, without doubling a separator the folder already ends in.
std::string JoinPath(const std::string& folder, const std::string& name);

std::string ToText(int value);            // "%d"
std::string ToText(unsigned char value);  // "%u"
std::string ToText(long long value);      // 64-bit decimal
std::string ToText(float value);          // "%.6g"
std::string ToText(double value);         // "%.13g"
