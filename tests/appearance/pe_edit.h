// Finds the parts of a DLL file's bytes, so tests can damage one field.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#if defined(_WIN64)
using TestNtHeaders = IMAGE_NT_HEADERS64;
#else
using TestNtHeaders = IMAGE_NT_HEADERS32;
#endif

class PeEdit {
  public:
    explicit PeEdit(std::string bytes) : bytes_(std::move(bytes)) {}

    const std::string& Bytes() const { return bytes_; }

    size_t NtOffset() const { return Get<LONG>(offsetof(IMAGE_DOS_HEADER, e_lfanew)); }
    size_t FileHeaderOffset() const { return NtOffset() + sizeof(DWORD); }
    size_t OptionalOffset() const { return FileHeaderOffset() + sizeof(IMAGE_FILE_HEADER); }
    size_t Field(size_t offsetInNt) const { return NtOffset() + offsetInNt; }

    WORD SectionCount() const {
        return Get<WORD>(FileHeaderOffset() + offsetof(IMAGE_FILE_HEADER, NumberOfSections));
    }
    size_t SectionTable() const {
        return OptionalOffset() +
               Get<WORD>(FileHeaderOffset() + offsetof(IMAGE_FILE_HEADER, SizeOfOptionalHeader));
    }
    IMAGE_SECTION_HEADER Section(int i) const {
        return Get<IMAGE_SECTION_HEADER>(SectionTable() + i * sizeof(IMAGE_SECTION_HEADER));
    }

    IMAGE_DATA_DIRECTORY Directory(int index) const {
        return Get<IMAGE_DATA_DIRECTORY>(
            Field(offsetof(TestNtHeaders, OptionalHeader.DataDirectory)) +
            index * sizeof(IMAGE_DATA_DIRECTORY));
    }
    size_t DirectoryOffset(int index) const {
        return Field(offsetof(TestNtHeaders, OptionalHeader.DataDirectory)) +
               index * sizeof(IMAGE_DATA_DIRECTORY);
    }

    // The file offset of an address in the mapped image; 0 if none.
    size_t FileOffset(uint32_t rva) const {
        for (int i = 0; i < SectionCount(); ++i) {
            IMAGE_SECTION_HEADER s = Section(i);
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.SizeOfRawData)
                return s.PointerToRawData + (rva - s.VirtualAddress);
        }
        return 0;
    }

    uint32_t SizeOfImage() const {
        return Get<DWORD>(Field(offsetof(TestNtHeaders, OptionalHeader.SizeOfImage)));
    }

    template <typename T>
    T Get(size_t at) const {
        T v{};
        if (at + sizeof v <= bytes_.size()) std::memcpy(&v, bytes_.data() + at, sizeof v);
        return v;
    }
    template <typename T>
    PeEdit& Set(size_t at, T v) {
        if (at + sizeof v <= bytes_.size()) std::memcpy(&bytes_[at], &v, sizeof v);
        return *this;
    }

  private:
    std::string bytes_;
};
