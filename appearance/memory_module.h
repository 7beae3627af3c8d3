// Loads a DLL image held in memory (for instance a resource) as a module of
// this process, without writing it to a file: the image is mapped, relocated,
// its imports resolved, its sections protected, its TLS callbacks and DllMain
// run. Every field read from the image is checked against the image's size;
// a malformed image, or one built for another machine, is refused.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <vector>

enum class ModuleError {
    kNone,
    kTruncated,          // the data ends before a header or a section's bytes
    kBadDosHeader,       // no "MZ" or a negative header offset
    kBadNtHeader,        // no "PE\0\0" or an optional header of the wrong kind
    kForeignMachine,     // built for another processor than this process
    kNotDll,             // not a DLL image
    kBadLayout,          // image, header or section sizes out of bounds
    kBadRelocation,      // a relocation block or entry outside the image
    kBadImport,          // an import descriptor, thunk or name outside the image
    kImportNotFound,     // an imported DLL or function does not exist
    kBadTls,             // TLS directory or callbacks outside the image
    kBadExceptionTable,  // unwind table outside the image (64-bit)
    kNoMemory,           // the image could not be allocated
    kProtectFailed,      // section protections could not be set
    kInitFailed,         // DllMain refused to attach
};

enum class ExportError {
    kNone,
    kNoExportTable,
    kBadExportTable,  // directory, names, ordinals or addresses outside the image
    kNotFound,
    kForwarded,  // the name forwards to another DLL; not supported
};

class MemoryModule {
  public:
    ~MemoryModule();  // DllMain(DLL_PROCESS_DETACH), then everything is freed
    MemoryModule(const MemoryModule&) = delete;
    MemoryModule& operator=(const MemoryModule&) = delete;

    // The address of the exported function `name`, looked up by name in the
    // export table; null with the reason in `error` otherwise.
    FARPROC FindFunction(const char* name, ExportError* error) const;

    const unsigned char* Base() const { return base_; }
    size_t ImageSize() const { return size_; }

  private:
    friend struct ModuleLoader;
    friend struct ModuleLoad LoadModuleFromMemory(const void* data, size_t size);
    MemoryModule() = default;

    unsigned char* base_ = nullptr;
    size_t size_ = 0;
    std::vector<HMODULE> imports_;
    void* entry_ = nullptr;
    bool attached_ = false;
    void* functionTable_ = nullptr;  // registered unwind data (64-bit)
    IMAGE_DATA_DIRECTORY exports_{};
};

struct ModuleLoad {
    ModuleError error = ModuleError::kNone;
    std::unique_ptr<MemoryModule> module;  // set exactly when error is kNone
};

// Loads the DLL image `data` of `size` bytes. The data is only read and may
// be freed afterwards.
ModuleLoad LoadModuleFromMemory(const void* data, size_t size);
