// Desktop list files of the button tests (see desktop_files.h).
#include "tests/commands/desktop_files.h"

#include <shlobj.h>

#include "export/desktop_file.h"

namespace commands_test {

std::string DesktopFolder() {
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE)) return {};
    std::string folder = path;
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

std::vector<std::string> DesktopListFiles() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA((DesktopFolder() + "\\文件名列表_*.txt").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (FindNextFileA(h, &data));
    FindClose(h);
    return names;
}

void RemoveDesktopListFiles() {
    for (const std::string& name : DesktopListFiles()) {
        DeleteFileA((DesktopFolder() + "\\" + name).c_str());
    }
}

std::vector<std::string> ListFileNamesBetween(const SYSTEMTIME& before, const SYSTEMTIME& after) {
    constexpr ULONGLONG kSecond = 10000000;  // FILETIME units
    auto ticks = [](const SYSTEMTIME& t) {
        SYSTEMTIME whole = t;
        whole.wMilliseconds = 0;
        FILETIME ft;
        SystemTimeToFileTime(&whole, &ft);
        return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    };
    std::vector<std::string> names;
    for (ULONGLONG t = ticks(before); t <= ticks(after); t += kSecond) {
        FILETIME ft = {static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
        SYSTEMTIME st;
        FileTimeToSystemTime(&ft, &st);
        names.push_back("文件名列表_" + DateTimeText(st) + ".txt");
    }
    return names;
}

}  // namespace commands_test
