// The desktop list file: where it goes, the date-time text of its name, and
// writing its bytes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The current user's desktop folder ending in "\", or empty when the system
// cannot report it.
std::string DesktopDirectory();

// "2024年3月5日14时7分9秒", shortened when the second, then the minute, then
// the hour is zero. Dates before 100-01-01 or after 9999-12-31 render as that
// day at midnight.
std::string DateTimeText(const SYSTEMTIME& time);

// Creates (or empties) the file at `path` and writes the parts in order.
// True only when every byte was written and the file closed; false for an
// empty path without touching the file system.
bool WriteListFile(const std::string& path, const std::vector<std::string>& parts);
