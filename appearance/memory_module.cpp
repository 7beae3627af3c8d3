// Maps a DLL image from memory (see memory_module.h).
#include "appearance/memory_module.h"

#include <cstdint>
#include <cstring>
#include <new>

namespace {

#if defined(_WIN64)
constexpr WORD kMachine = IMAGE_FILE_MACHINE_AMD64;
constexpr WORD kOptionalMagic = IMAGE_NT_OPTIONAL_HDR64_MAGIC;
constexpr int kRelocationType = IMAGE_REL_BASED_DIR64;
constexpr uint64_t kOrdinalFlag = IMAGE_ORDINAL_FLAG64;
using NtHeaders = IMAGE_NT_HEADERS64;
using TlsDirectory = IMAGE_TLS_DIRECTORY64;
#else
constexpr WORD kMachine = IMAGE_FILE_MACHINE_I386;
constexpr WORD kOptionalMagic = IMAGE_NT_OPTIONAL_HDR32_MAGIC;
constexpr int kRelocationType = IMAGE_REL_BASED_HIGHLOW;
constexpr uint64_t kOrdinalFlag = IMAGE_ORDINAL_FLAG32;
using NtHeaders = IMAGE_NT_HEADERS32;
using TlsDirectory = IMAGE_TLS_DIRECTORY32;
#endif
using Pointer = uintptr_t;  // a pointer-sized field of the image

constexpr uint64_t kMaxImageSize = 64u << 20;  // far above any DLL we load
constexpr size_t kMaxTlsCallbacks = 256;

using DllEntry = BOOL(WINAPI*)(HINSTANCE, DWORD, LPVOID);
using TlsCallback = void(NTAPI*)(PVOID, DWORD, PVOID);

// Reads a T from raw bytes that may be unaligned.
template <typename T>
T ReadAt(const unsigned char* p) {
    T value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

bool IsPowerOfTwo(uint32_t v) { return v != 0 && (v & (v - 1)) == 0; }

uint64_t AlignUp(uint64_t v, uint64_t alignment) {
    return (v + alignment - 1) / alignment * alignment;
}

// The checked header fields, read from the raw data before anything is mapped.
struct Headers {
    NtHeaders nt;
    std::vector<IMAGE_SECTION_HEADER> sections;
};

ModuleError ReadHeaders(const unsigned char* data, size_t size, Headers* h) {
    if (size < sizeof(IMAGE_DOS_HEADER)) return ModuleError::kTruncated;
    auto dos = ReadAt<IMAGE_DOS_HEADER>(data);
    if (dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew < 0) return ModuleError::kBadDosHeader;
    uint64_t ntOffset = static_cast<uint64_t>(dos.e_lfanew);
    uint64_t fileHeaderEnd = ntOffset + sizeof(DWORD) + sizeof(IMAGE_FILE_HEADER);
    if (fileHeaderEnd > size) return ModuleError::kTruncated;
    if (ReadAt<DWORD>(data + ntOffset) != IMAGE_NT_SIGNATURE) return ModuleError::kBadNtHeader;
    auto file = ReadAt<IMAGE_FILE_HEADER>(data + ntOffset + sizeof(DWORD));
    if (file.Machine != kMachine) return ModuleError::kForeignMachine;

    // The optional header's fixed part (everything before the directories)
    // must be there; directories past its recorded size count as absent.
    constexpr size_t kFixedOptional =
        offsetof(NtHeaders, OptionalHeader.DataDirectory) - offsetof(NtHeaders, OptionalHeader);
    if (file.SizeOfOptionalHeader < kFixedOptional) return ModuleError::kBadNtHeader;
    uint64_t optionalEnd = fileHeaderEnd + file.SizeOfOptionalHeader;
    if (optionalEnd > size) return ModuleError::kTruncated;
    std::memset(&h->nt, 0, sizeof h->nt);
    size_t take =
        sizeof(DWORD) + sizeof(IMAGE_FILE_HEADER) +
        (file.SizeOfOptionalHeader < sizeof h->nt.OptionalHeader ? file.SizeOfOptionalHeader
                                                                 : sizeof h->nt.OptionalHeader);
    std::memcpy(&h->nt, data + ntOffset, take);
    auto& opt = h->nt.OptionalHeader;
    if (opt.Magic != kOptionalMagic) return ModuleError::kBadNtHeader;
    size_t directories =
        (file.SizeOfOptionalHeader - kFixedOptional) / sizeof(IMAGE_DATA_DIRECTORY);
    if (opt.NumberOfRvaAndSizes < directories) directories = opt.NumberOfRvaAndSizes;
    for (size_t i = directories; i < IMAGE_NUMBEROF_DIRECTORY_ENTRIES; ++i) {
        opt.DataDirectory[i].VirtualAddress = 0;
        opt.DataDirectory[i].Size = 0;
    }
    if (!(file.Characteristics & IMAGE_FILE_DLL) ||
        !(file.Characteristics & IMAGE_FILE_EXECUTABLE_IMAGE))
        return ModuleError::kNotDll;

    if (opt.SizeOfImage == 0 || opt.SizeOfImage > kMaxImageSize ||
        !IsPowerOfTwo(opt.SectionAlignment) || opt.SizeOfHeaders == 0 ||
        opt.SizeOfHeaders > opt.SizeOfImage || opt.AddressOfEntryPoint >= opt.SizeOfImage)
        return ModuleError::kBadLayout;
    if (opt.SizeOfHeaders > size) return ModuleError::kTruncated;

    uint64_t tableEnd =
        optionalEnd + static_cast<uint64_t>(file.NumberOfSections) * sizeof(IMAGE_SECTION_HEADER);
    if (file.NumberOfSections == 0) return ModuleError::kBadLayout;
    if (tableEnd > size) return ModuleError::kTruncated;
    if (tableEnd > opt.SizeOfHeaders) return ModuleError::kBadLayout;
    h->sections.resize(file.NumberOfSections);
    for (WORD i = 0; i < file.NumberOfSections; ++i) {
        auto s =
            ReadAt<IMAGE_SECTION_HEADER>(data + optionalEnd + i * sizeof(IMAGE_SECTION_HEADER));
        uint64_t extent = s.Misc.VirtualSize ? s.Misc.VirtualSize : s.SizeOfRawData;
        if (s.SizeOfRawData != 0 &&
            static_cast<uint64_t>(s.PointerToRawData) + s.SizeOfRawData > size)
            return ModuleError::kTruncated;
        if (s.VirtualAddress < opt.SizeOfHeaders ||
            static_cast<uint64_t>(s.VirtualAddress) + extent > opt.SizeOfImage)
            return ModuleError::kBadLayout;
        h->sections[i] = s;
    }
    return ModuleError::kNone;
}

DWORD ProtectionOf(DWORD characteristics) {
    bool x = characteristics & IMAGE_SCN_MEM_EXECUTE;
    bool r = characteristics & IMAGE_SCN_MEM_READ;
    bool w = characteristics & IMAGE_SCN_MEM_WRITE;
    if (x) return w ? PAGE_EXECUTE_READWRITE : r ? PAGE_EXECUTE_READ : PAGE_EXECUTE;
    if (w) return PAGE_READWRITE;
    return r ? PAGE_READONLY : PAGE_NOACCESS;
}

}  // namespace

// The mapping steps, each on a module under construction. A member of no
// object: a friend of MemoryModule so the loaded state stays private.
struct ModuleLoader {
    MemoryModule* m;
    const Headers& h;

    // Whether [rva, rva + length) lies inside the image.
    bool InImage(uint64_t rva, uint64_t length) const {
        return rva <= m->size_ && length <= m->size_ - rva;
    }

    template <typename T>
    T Read(uint64_t rva) const {
        return ReadAt<T>(m->base_ + rva);
    }

    // A zero-terminated name at `rva` that ends inside the image.
    const char* NameAt(uint64_t rva) const {
        if (rva == 0 || rva >= m->size_) return nullptr;
        const void* end = std::memchr(m->base_ + rva, 0, m->size_ - rva);
        return end ? reinterpret_cast<const char*>(m->base_ + rva) : nullptr;
    }

    bool InExecutableSection(uint64_t rva) const {
        for (const auto& s : h.sections) {
            uint64_t extent = s.Misc.VirtualSize ? s.Misc.VirtualSize : s.SizeOfRawData;
            if ((s.Characteristics & IMAGE_SCN_MEM_EXECUTE) && rva >= s.VirtualAddress &&
                rva < s.VirtualAddress + extent)
                return true;
        }
        return false;
    }

    const IMAGE_DATA_DIRECTORY& Directory(int index) const {
        return h.nt.OptionalHeader.DataDirectory[index];
    }

    bool Present(const IMAGE_DATA_DIRECTORY& d) const { return d.VirtualAddress && d.Size; }

    ModuleError Map(const unsigned char* data) {
        const auto& opt = h.nt.OptionalHeader;
        const auto& relocs = Directory(IMAGE_DIRECTORY_ENTRY_BASERELOC);
        bool relocatable =
            Present(relocs) && !(h.nt.FileHeader.Characteristics & IMAGE_FILE_RELOCS_STRIPPED);
        // A relocatable image goes wherever the system puts it, so its
        // relocations are always applied; any other needs its own base.
        void* want = relocatable ? nullptr : reinterpret_cast<void*>(opt.ImageBase);
        m->base_ = static_cast<unsigned char*>(
            VirtualAlloc(want, opt.SizeOfImage, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        if (!m->base_) return ModuleError::kNoMemory;
        m->size_ = opt.SizeOfImage;
        std::memcpy(m->base_, data, opt.SizeOfHeaders);
        for (const auto& s : h.sections) {
            uint64_t extent = s.Misc.VirtualSize ? s.Misc.VirtualSize : s.SizeOfRawData;
            uint64_t copy = s.SizeOfRawData < extent ? s.SizeOfRawData : extent;
            if (copy) std::memcpy(m->base_ + s.VirtualAddress, data + s.PointerToRawData, copy);
        }
        return ModuleError::kNone;
    }

    // Checks every block and entry; patches only when the image moved.
    ModuleError Relocate() {
        const auto& dir = Directory(IMAGE_DIRECTORY_ENTRY_BASERELOC);
        if (!Present(dir)) return ModuleError::kNone;
        if (!InImage(dir.VirtualAddress, dir.Size)) return ModuleError::kBadRelocation;
        Pointer delta = reinterpret_cast<Pointer>(m->base_) -
                        static_cast<Pointer>(h.nt.OptionalHeader.ImageBase);
        uint64_t pos = dir.VirtualAddress;
        uint64_t end = pos + dir.Size;
        while (end - pos >= sizeof(IMAGE_BASE_RELOCATION)) {
            auto block = Read<IMAGE_BASE_RELOCATION>(pos);
            if (block.SizeOfBlock < sizeof block || block.SizeOfBlock > end - pos)
                return ModuleError::kBadRelocation;
            uint64_t entries = (block.SizeOfBlock - sizeof block) / sizeof(WORD);
            for (uint64_t i = 0; i < entries; ++i) {
                WORD entry = Read<WORD>(pos + sizeof block + i * sizeof(WORD));
                int type = entry >> 12;
                if (type == IMAGE_REL_BASED_ABSOLUTE) continue;  // padding
                if (type != kRelocationType) return ModuleError::kBadRelocation;
                uint64_t target = static_cast<uint64_t>(block.VirtualAddress) + (entry & 0xFFF);
                if (!InImage(target, sizeof(Pointer))) return ModuleError::kBadRelocation;
                if (delta) {
                    Pointer value = Read<Pointer>(target) + delta;
                    std::memcpy(m->base_ + target, &value, sizeof value);
                }
            }
            pos += block.SizeOfBlock;
        }
        return ModuleError::kNone;
    }

    ModuleError ResolveImports() {
        const auto& dir = Directory(IMAGE_DIRECTORY_ENTRY_IMPORT);
        if (!Present(dir)) return ModuleError::kNone;
        for (uint64_t at = dir.VirtualAddress;; at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
            if (!InImage(at, sizeof(IMAGE_IMPORT_DESCRIPTOR))) return ModuleError::kBadImport;
            auto desc = Read<IMAGE_IMPORT_DESCRIPTOR>(at);
            if (desc.Name == 0 && desc.FirstThunk == 0) break;  // the closing entry
            const char* dllName = NameAt(desc.Name);
            if (!dllName || desc.FirstThunk == 0) return ModuleError::kBadImport;
            uint64_t lookup = desc.OriginalFirstThunk ? desc.OriginalFirstThunk : desc.FirstThunk;
            uint64_t iat = desc.FirstThunk;
            // Check the whole thunk list before anything is loaded for it.
            for (uint64_t i = 0;; ++i) {
                if (!InImage(lookup + i * sizeof(Pointer), sizeof(Pointer)) ||
                    !InImage(iat + i * sizeof(Pointer), sizeof(Pointer)))
                    return ModuleError::kBadImport;
                uint64_t thunk = Read<Pointer>(lookup + i * sizeof(Pointer));
                if (thunk == 0) break;
                if (!(thunk & kOrdinalFlag) &&
                    (thunk > 0xFFFFFFFFu || !InImage(thunk, 2) || !NameAt(thunk + 2)))
                    return ModuleError::kBadImport;
            }
            HMODULE dll = LoadLibraryA(dllName);
            if (!dll) return ModuleError::kImportNotFound;
            m->imports_.push_back(dll);
            for (uint64_t i = 0;; ++i) {
                uint64_t thunk = Read<Pointer>(lookup + i * sizeof(Pointer));
                if (thunk == 0) break;
                FARPROC fn = (thunk & kOrdinalFlag)
                                 ? GetProcAddress(dll, MAKEINTRESOURCEA(thunk & 0xFFFF))
                                 : GetProcAddress(dll, NameAt(thunk + 2));
                if (!fn) return ModuleError::kImportNotFound;
                Pointer value = reinterpret_cast<Pointer>(fn);
                std::memcpy(m->base_ + iat + i * sizeof(Pointer), &value, sizeof value);
            }
        }
        return ModuleError::kNone;
    }

    // The TLS callbacks, in order; checked to lie in the image's code.
    ModuleError TlsCallbacks(std::vector<TlsCallback>* out) {
        const auto& dir = Directory(IMAGE_DIRECTORY_ENTRY_TLS);
        if (!Present(dir)) return ModuleError::kNone;
        if (!InImage(dir.VirtualAddress, sizeof(TlsDirectory))) return ModuleError::kBadTls;
        auto tls = Read<TlsDirectory>(dir.VirtualAddress);
        Pointer base = reinterpret_cast<Pointer>(m->base_);
        // The directory holds addresses (already relocated), not offsets.
        auto rvaOf = [&](uint64_t va, uint64_t* rva) {
            if (va < base || va - base >= m->size_) return false;
            *rva = va - base;
            return true;
        };
        uint64_t rva = 0;
        if (tls.AddressOfIndex && !rvaOf(tls.AddressOfIndex, &rva)) return ModuleError::kBadTls;
        if (!tls.AddressOfCallBacks) return ModuleError::kNone;
        uint64_t list = 0;
        if (!rvaOf(tls.AddressOfCallBacks, &list)) return ModuleError::kBadTls;
        for (size_t i = 0;; ++i) {
            if (i == kMaxTlsCallbacks || !InImage(list + i * sizeof(Pointer), sizeof(Pointer)))
                return ModuleError::kBadTls;
            Pointer fn = Read<Pointer>(list + i * sizeof(Pointer));
            if (!fn) break;
            if (!rvaOf(fn, &rva) || !InExecutableSection(rva)) return ModuleError::kBadTls;
            out->push_back(reinterpret_cast<TlsCallback>(fn));
        }
        return ModuleError::kNone;
    }

    ModuleError Protect() {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        const auto& opt = h.nt.OptionalHeader;
        DWORD old = 0;
        if (opt.SectionAlignment < info.dwPageSize) {
            // Sections share pages: one protection for the whole image.
            return VirtualProtect(m->base_, m->size_, PAGE_EXECUTE_READWRITE, &old)
                       ? ModuleError::kNone
                       : ModuleError::kProtectFailed;
        }
        if (!VirtualProtect(m->base_, opt.SizeOfHeaders, PAGE_READONLY, &old))
            return ModuleError::kProtectFailed;
        for (const auto& s : h.sections) {
            uint64_t extent = s.Misc.VirtualSize ? s.Misc.VirtualSize : s.SizeOfRawData;
            uint64_t length = AlignUp(extent, info.dwPageSize);
            if (length > m->size_ - s.VirtualAddress) length = m->size_ - s.VirtualAddress;
            if (length == 0) continue;
            if (!VirtualProtect(m->base_ + s.VirtualAddress, length,
                                ProtectionOf(s.Characteristics), &old))
                return ModuleError::kProtectFailed;
        }
        FlushInstructionCache(GetCurrentProcess(), m->base_, m->size_);
        return ModuleError::kNone;
    }

    ModuleError RegisterUnwindTable() {
#if defined(_WIN64)
        const auto& dir = Directory(IMAGE_DIRECTORY_ENTRY_EXCEPTION);
        if (!Present(dir)) return ModuleError::kNone;
        if (!InImage(dir.VirtualAddress, dir.Size)) return ModuleError::kBadExceptionTable;
        DWORD count = dir.Size / sizeof(RUNTIME_FUNCTION);
        for (DWORD i = 0; i < count; ++i) {
            auto f = Read<RUNTIME_FUNCTION>(dir.VirtualAddress + i * sizeof(RUNTIME_FUNCTION));
            if (f.BeginAddress > f.EndAddress || f.EndAddress > m->size_ ||
                !InImage(f.UnwindData, sizeof(DWORD)))
                return ModuleError::kBadExceptionTable;
        }
        auto* table = reinterpret_cast<PRUNTIME_FUNCTION>(m->base_ + dir.VirtualAddress);
        if (count && !RtlAddFunctionTable(table, count, reinterpret_cast<DWORD64>(m->base_)))
            return ModuleError::kBadExceptionTable;
        m->functionTable_ = count ? table : nullptr;
#endif
        return ModuleError::kNone;
    }

    ModuleError Run(const unsigned char* data) {
        ModuleError e;
        if ((e = Map(data)) != ModuleError::kNone) return e;
        if ((e = Relocate()) != ModuleError::kNone) return e;
        uint32_t entry = h.nt.OptionalHeader.AddressOfEntryPoint;
        if (entry && !InExecutableSection(entry)) return ModuleError::kBadLayout;
        std::vector<TlsCallback> callbacks;
        if ((e = TlsCallbacks(&callbacks)) != ModuleError::kNone) return e;
        if ((e = ResolveImports()) != ModuleError::kNone) return e;
        if ((e = Protect()) != ModuleError::kNone) return e;
        if ((e = RegisterUnwindTable()) != ModuleError::kNone) return e;
        m->exports_ = Directory(IMAGE_DIRECTORY_ENTRY_EXPORT);
        auto instance = reinterpret_cast<HINSTANCE>(m->base_);
        for (TlsCallback cb : callbacks) cb(instance, DLL_PROCESS_ATTACH, nullptr);
        if (entry) {
            m->entry_ = m->base_ + entry;
            if (!reinterpret_cast<DllEntry>(m->entry_)(instance, DLL_PROCESS_ATTACH, nullptr))
                return ModuleError::kInitFailed;
            m->attached_ = true;
        }
        return ModuleError::kNone;
    }
};

ModuleLoad LoadModuleFromMemory(const void* data, size_t size) {
    ModuleLoad result;
    if (!data) {
        result.error = ModuleError::kTruncated;
        return result;
    }
    const auto* bytes = static_cast<const unsigned char*>(data);
    Headers headers;
    result.error = ReadHeaders(bytes, size, &headers);
    if (result.error != ModuleError::kNone) return result;
    std::unique_ptr<MemoryModule> module(new (std::nothrow) MemoryModule);
    if (!module) {
        result.error = ModuleError::kNoMemory;
        return result;
    }
    ModuleLoader loader{module.get(), headers};
    result.error = loader.Run(bytes);
    if (result.error == ModuleError::kNone) result.module = std::move(module);
    return result;  // on failure the destructor undoes what was done
}

MemoryModule::~MemoryModule() {
    if (attached_)
        reinterpret_cast<DllEntry>(entry_)(reinterpret_cast<HINSTANCE>(base_), DLL_PROCESS_DETACH,
                                           nullptr);
#if defined(_WIN64)
    if (functionTable_) RtlDeleteFunctionTable(static_cast<PRUNTIME_FUNCTION>(functionTable_));
#endif
    for (auto it = imports_.rbegin(); it != imports_.rend(); ++it) FreeLibrary(*it);
    if (base_) VirtualFree(base_, 0, MEM_RELEASE);
}

FARPROC MemoryModule::FindFunction(const char* name, ExportError* error) const {
    ExportError ignored;
    if (!error) error = &ignored;
    *error = ExportError::kNone;
    const IMAGE_DATA_DIRECTORY& dir = exports_;
    auto inImage = [&](uint64_t rva, uint64_t length) {
        return rva <= size_ && length <= size_ - rva;
    };
    if (!dir.VirtualAddress || !dir.Size) {
        *error = ExportError::kNoExportTable;
        return nullptr;
    }
    if (!name || !inImage(dir.VirtualAddress, dir.Size) ||
        !inImage(dir.VirtualAddress, sizeof(IMAGE_EXPORT_DIRECTORY))) {
        *error = name ? ExportError::kBadExportTable : ExportError::kNotFound;
        return nullptr;
    }
    auto exp = ReadAt<IMAGE_EXPORT_DIRECTORY>(base_ + dir.VirtualAddress);
    if (!inImage(exp.AddressOfNames, static_cast<uint64_t>(exp.NumberOfNames) * 4) ||
        !inImage(exp.AddressOfNameOrdinals, static_cast<uint64_t>(exp.NumberOfNames) * 2) ||
        !inImage(exp.AddressOfFunctions, static_cast<uint64_t>(exp.NumberOfFunctions) * 4)) {
        *error = ExportError::kBadExportTable;
        return nullptr;
    }
    for (DWORD i = 0; i < exp.NumberOfNames; ++i) {
        DWORD nameRva = ReadAt<DWORD>(base_ + exp.AddressOfNames + i * 4);
        if (nameRva == 0 || nameRva >= size_ || !std::memchr(base_ + nameRva, 0, size_ - nameRva)) {
            *error = ExportError::kBadExportTable;
            return nullptr;
        }
        if (std::strcmp(reinterpret_cast<const char*>(base_ + nameRva), name) != 0) continue;
        WORD ordinal = ReadAt<WORD>(base_ + exp.AddressOfNameOrdinals + i * 2);
        if (ordinal >= exp.NumberOfFunctions) {
            *error = ExportError::kBadExportTable;
            return nullptr;
        }
        DWORD fn = ReadAt<DWORD>(base_ + exp.AddressOfFunctions + ordinal * 4);
        if (fn >= dir.VirtualAddress && fn - dir.VirtualAddress < dir.Size) {
            *error = ExportError::kForwarded;  // the "address" is a "DLL.Name" text
            return nullptr;
        }
        if (fn == 0 || fn >= size_) {
            *error = ExportError::kBadExportTable;
            return nullptr;
        }
        return reinterpret_cast<FARPROC>(base_ + fn);
    }
    *error = ExportError::kNotFound;
    return nullptr;
}
