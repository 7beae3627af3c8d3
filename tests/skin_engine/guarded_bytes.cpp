// GuardedBytes (see guarded_bytes.h).
#include "tests/skin_engine/guarded_bytes.h"

#include <cstring>

GuardedBytes::GuardedBytes(const std::string& bytes) : size_(bytes.size()) {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    size_t page = info.dwPageSize;
    size_t dataPages = (size_ + page - 1) / page;
    size_t total = (dataPages + 1) * page;
    region_ = VirtualAlloc(nullptr, total, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!region_) return;
    auto* base = static_cast<unsigned char*>(region_);
    DWORD old = 0;
    VirtualProtect(base + dataPages * page, page, PAGE_NOACCESS, &old);
    data_ = base + dataPages * page - size_;
    if (size_) std::memcpy(data_, bytes.data(), size_);
}

GuardedBytes::~GuardedBytes() {
    if (region_) VirtualFree(region_, 0, MEM_RELEASE);
}
