// Test input placed so that its last byte is followed by an inaccessible
// page: code that reads even one byte past the end faults at once.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

class GuardedBytes {
  public:
    explicit GuardedBytes(const std::string& bytes);
    ~GuardedBytes();
    GuardedBytes(const GuardedBytes&) = delete;
    GuardedBytes& operator=(const GuardedBytes&) = delete;

    const unsigned char* data() const { return data_; }
    size_t size() const { return size_; }

  private:
    void* region_ = nullptr;
    unsigned char* data_ = nullptr;
    size_t size_ = 0;
};
