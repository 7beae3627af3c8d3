// A block of memory inside another process, for the messages whose buffers
// the system does not carry across processes (list view, tree view, status
// bar): written and read with WriteProcessMemory / ReadProcessMemory.
#pragma once

#include <windows.h>

#include <cstddef>

namespace e2e {

class RemoteMemory {
  public:
    // Reserves and commits `size` bytes in `process`, zero-filled.
    RemoteMemory(HANDLE process, size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    bool Valid() const { return address_ != nullptr; }
    // The block's address in the other process, as a message parameter.
    LPARAM Address(size_t offset = 0) const {
        return reinterpret_cast<LPARAM>(static_cast<char*>(address_) + offset);
    }
    bool Write(const void* data, size_t size, size_t offset = 0);
    bool Read(void* data, size_t size, size_t offset = 0) const;
    size_t Size() const { return size_; }

  private:
    HANDLE process_;
    void* address_ = nullptr;
    size_t size_;
};

}  // namespace e2e
