// The desktop list file (see desktop_file.h).
#include "export/desktop_file.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <tuple>

#include "extract/text_ops.h"

namespace {

// Owns a file handle. Close() reports whether the close succeeded; the
// destructor closes a handle that is still open (on an early return).
class FileHandle {
  public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() {
        if (valid()) CloseHandle(h_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE get() const { return h_; }
    bool Close() {
        HANDLE h = h_;
        h_ = INVALID_HANDLE_VALUE;
        return CloseHandle(h) != 0;
    }

  private:
    HANDLE h_;
};

bool WriteAll(HANDLE file, const std::string& bytes) {
    // One call per part; a part too big for one call (over 1 GiB) is written
    // in pieces rather than having its size cut to 32 bits.
    constexpr size_t kLargestWrite = size_t{1} << 30;
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD ask = static_cast<DWORD>(std::min(bytes.size() - done, kLargestWrite));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, ask, &written, nullptr)) return false;
        if (written != ask) return false;  // short write: a full disk
        done += written;
    }
    return true;
}

}  // namespace

std::string DesktopDirectory() {
    char buffer[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, buffer, CSIDL_DESKTOPDIRECTORY, FALSE)) {
        return std::string();
    }
    std::string directory(buffer, strnlen(buffer, sizeof buffer));
    if (!directory.empty() && !EndsWithSeparator(directory)) directory.push_back('\\');
    return directory;
}

std::string DateTimeText(const SYSTEMTIME& time) {
    int year = time.wYear, month = time.wMonth, day = time.wDay;
    int hour = time.wHour, minute = time.wMinute, second = time.wSecond;
    const auto date = std::make_tuple(year, month, day);
    if (date < std::make_tuple(100, 1, 1)) {
        std::tie(year, month, day, hour, minute, second) = std::make_tuple(100, 1, 1, 0, 0, 0);
    } else if (date > std::make_tuple(9999, 12, 31)) {
        std::tie(year, month, day, hour, minute, second) = std::make_tuple(9999, 12, 31, 0, 0, 0);
    }

    std::string text = ToText(year) + "年" + ToText(month) + "月" + ToText(day) + "日";
    if (second != 0) {
        text += ToText(hour) + "时" + ToText(minute) + "分" + ToText(second) + "秒";
    } else if (minute != 0) {
        text += ToText(hour) + "时" + ToText(minute) + "分";
    } else if (hour != 0) {
        text += ToText(hour) + "时";
    }
    return text;
}

bool WriteListFile(const std::string& path, const std::vector<std::string>& parts) {
    if (path.empty()) return false;
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    for (const std::string& part : parts) {
        if (part.empty()) continue;
        if (!WriteAll(file.get(), part)) return false;  // closed by the destructor
    }
    return file.Close();
}
