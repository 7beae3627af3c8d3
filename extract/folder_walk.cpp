// The folder walk over FindFirstFileA/FindNextFileA.
#include "extract/folder_walk.h"

#include "app/message_pump.h"
#include "extract/text_ops.h"

namespace {

constexpr DWORD kNamedAttributes = 0x37;

bool Accepts(std::optional<DWORD> selection, DWORD attributes) {
    if (!selection) return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    const DWORD m = *selection & kNamedAttributes;
    return m == 0 ? attributes == 0 : (attributes & m) != 0;
}

// True when the error that ended a search means more than "no more entries".
bool IsReadFailure(DWORD error) {
    return error != 0 && error != ERROR_NO_MORE_FILES && error != ERROR_FILE_NOT_FOUND;
}

// Calls the pump when its interval has passed; returns true when the walk
// must stop.
bool BetweenEntries(WalkControl& control) {
    if (control.stop) return true;
    const DWORD now = GetTickCount();
    if (now - control.lastPump >= control.pumpIntervalMs) {
        control.lastPump = now;
        if (control.pump) {
            control.pump();
        } else {
            ProcessPendingMessages();
        }
    }
    return control.stop;
}

void WalkLevel(const std::string& folder, const FileReceiver& receiver, WalkControl& control) {
    const std::string base = EndsWithSeparator(folder) ? folder : folder + "\\";
    const std::string pattern = base + "*.*";
    bool unreadable = false;

    // File pass: every entry that is not a folder.
    {
        FindSlot slot;
        FoundFile file{{}, folder};
        for (file.name = FindEntry(pattern, std::nullopt, slot); !file.name.empty();
             file.name = FindEntry({}, std::nullopt, slot)) {
            receiver(file);
            if (BetweenEntries(control)) return;
        }
        unreadable = IsReadFailure(slot.LastError());
    }

    // Folder pass: enter every subfolder but the folder itself and its parent.
    {
        FindSlot slot;
        for (std::string name = FindEntry(pattern, FILE_ATTRIBUTE_DIRECTORY, slot); !name.empty();
             name = FindEntry({}, FILE_ATTRIBUTE_DIRECTORY, slot)) {
            if (BetweenEntries(control)) return;
            if (name == "." || name == "..") continue;
            WalkLevel(base + name, receiver, control);
            if (control.stop) return;
        }
        unreadable = unreadable || IsReadFailure(slot.LastError());
    }
    if (unreadable) ++control.unreadableFolders;
}

}  // namespace

FindSlot::~FindSlot() { CloseFind(*this); }

void CloseFind(FindSlot& slot) {
    if (slot.handle_ != INVALID_HANDLE_VALUE) {
        FindClose(slot.handle_);
        slot.handle_ = INVALID_HANDLE_VALUE;
    }
}

std::string FindEntry(const std::string& pattern, std::optional<DWORD> selection, FindSlot& slot) {
    WIN32_FIND_DATAA data;
    if (!pattern.empty()) {
        CloseFind(slot);
        HANDLE h = FindFirstFileA(pattern.c_str(), &data);
        if (h == INVALID_HANDLE_VALUE) {
            slot.lastError_ = GetLastError();
            return {};
        }
        slot.handle_ = h;
        slot.lastError_ = 0;
    } else {
        if (!slot.IsOpen()) return {};
        if (!FindNextFileA(slot.handle_, &data)) {
            slot.lastError_ = GetLastError();
            CloseFind(slot);
            return {};
        }
    }
    for (;;) {
        if (Accepts(selection, data.dwFileAttributes)) return data.cFileName;
        if (!FindNextFileA(slot.handle_, &data)) {
            slot.lastError_ = GetLastError();
            CloseFind(slot);
            return {};
        }
    }
}

void WalkFolder(const std::string& folder, const FileReceiver& receiver, WalkControl& control) {
    control.lastPump = GetTickCount();
    WalkLevel(folder, receiver, control);
}

void WalkFolder(const std::string& folder, const FileReceiver& receiver) {
    WalkControl control;
    WalkFolder(folder, receiver, control);
}
