// The list files the program writes on the desktop: finding, reading and
// removing them, so each test starts and ends with none.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace commands_test {

// The desktop folder as the shell reports it, without a trailing separator.
std::string DesktopFolder();

// Names of the "文件名列表_*.txt" files now on the desktop.
std::vector<std::string> DesktopListFiles();

// Deletes every list file from the desktop.
void RemoveDesktopListFiles();

// The list file names a save made between `before` and `after` (local
// times) can have: one for each whole second in that span.
std::vector<std::string> ListFileNamesBetween(const SYSTEMTIME& before, const SYSTEMTIME& after);

}  // namespace commands_test
