// Memory in another process (see remote_memory.h).
#include "tests/e2e/remote_memory.h"

namespace e2e {

RemoteMemory::RemoteMemory(HANDLE process, size_t size)
    : process_(process),
      address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)),
      size_(size) {}

RemoteMemory::~RemoteMemory() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

bool RemoteMemory::Write(const void* data, size_t size, size_t offset) {
    if (!address_ || offset > size_ || size > size_ - offset) return false;
    SIZE_T done = 0;
    return WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &done) &&
           done == size;
}

bool RemoteMemory::Read(void* data, size_t size, size_t offset) const {
    if (!address_ || offset > size_ || size > size_ - offset) return false;
    SIZE_T done = 0;
    return ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &done) &&
           done == size;
}

}  // namespace e2e
