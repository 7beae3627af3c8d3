// Cuts the white space around a text (a folder path typed by the user).
#pragma once

#include <string>

// The part of `text` from its first to its last non-white-space byte, both
// included; empty when the text is empty or all white space. White space is
// exactly the bytes 09 0A 0B 0C 0D 20; both bytes of every double-byte
// character (the full-width space A1 A1 among them) count as non-white-space.
std::string TrimText(const std::string& text);
