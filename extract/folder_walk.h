// The folder walk: a directory search slot (FindSlot, FindEntry, CloseFind)
// and WalkFolder, which delivers every file of a folder tree.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "extract/found_file.h"

// The state of one directory search: an open enumeration handle or none.
// Owns the handle: a slot that goes out of scope ends its search.
class FindSlot {
  public:
    FindSlot() = default;
    ~FindSlot();
    FindSlot(const FindSlot&) = delete;
    FindSlot& operator=(const FindSlot&) = delete;

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    // The system error that ended the last search (0 while none has ended
    // in an error). ERROR_NO_MORE_FILES and ERROR_FILE_NOT_FOUND mean the
    // folder simply had no further entry.
    DWORD LastError() const { return lastError_; }

  private:
    friend std::string FindEntry(const std::string&, std::optional<DWORD>, FindSlot&);
    friend void CloseFind(FindSlot&);
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    DWORD lastError_ = 0;
};

// With a non-empty pattern starts a new search in the slot (ending any open
// one) and returns the first entry name that passes the selection; with the
// empty pattern returns the next one. Returns the empty text when no further
// entry passes; the slot is then none. Without a selection every entry that
// is not a folder passes; with a mask m, (m & 0x37) == 0 passes only entries
// whose attribute word is 0, otherwise entries with one of the named bits.
std::string FindEntry(const std::string& pattern, std::optional<DWORD> selection, FindSlot& slot);

// Ends the search open in the slot, if any.
void CloseFind(FindSlot& slot);

// Controls one walk from outside: a handler running nested inside the walk
// (through the message pump) can stop it; the walk counts what it could not
// read so that no loss is silent.
struct WalkControl {
    bool stop = false;
    int unreadableFolders = 0;
    // Runs between entries at most every `pumpIntervalMs`; when empty,
    // ProcessPendingMessages is used.
    std::function<void()> pump;
    DWORD pumpIntervalMs = 15;
    DWORD lastPump = 0;
};

using FileReceiver = std::function<void(const FoundFile&)>;

// Walks `folder` and all its subfolders, calling `receiver` once for every
// file, files of a folder before its subfolders, in enumeration order.
void WalkFolder(const std::string& folder, const FileReceiver& receiver, WalkControl& control);
void WalkFolder(const std::string& folder, const FileReceiver& receiver);
