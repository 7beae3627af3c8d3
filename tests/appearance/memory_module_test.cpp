// The in-memory loader: the real skin engine image loads, runs and is found
// without any file; damaged or foreign images are refused without reading
// past their end.
#include <gtest/gtest.h>

#include <set>

#include "appearance/attach_skin.h"
#include "appearance/memory_module.h"
#include "skin_engine/skin_engine.h"
#include "tests/appearance/pe_edit.h"
#include "tests/skin_engine/guarded_bytes.h"
#include "tests/skin_engine/skin_test_data.h"

namespace {

ModuleLoad Load(const std::string& image) {
    GuardedBytes bytes(image);
    return LoadModuleFromMemory(bytes.data(), bytes.size());
}

#if defined(_WIN64)
constexpr WORD kForeignMachine = IMAGE_FILE_MACHINE_I386;
#else
constexpr WORD kForeignMachine = IMAGE_FILE_MACHINE_AMD64;
#endif

// The names of the files in `folder`.
std::set<std::string> FilesIn(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do names.insert(fd.cFileName);
    while (FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}

std::string TempFolder() {
    char buf[MAX_PATH];
    DWORD n = GetTempPathA(MAX_PATH, buf);
    return std::string(buf, n && buf[n - 1] == '\\' ? n - 1 : n);
}

std::string ProgramFolder() {
    char buf[MAX_PATH];
    std::string path(buf, GetModuleFileNameA(nullptr, buf, MAX_PATH));
    return path.substr(0, path.find_last_of('\\'));
}

}  // namespace

TEST(MemoryModule, RealEngineLoadsFromMemoryWithoutAFile) {
    std::string engine = EngineBytes();
    ASSERT_FALSE(engine.empty());
    std::set<std::string> tempBefore = FilesIn(TempFolder());
    std::set<std::string> programBefore = FilesIn(ProgramFolder());

    ModuleLoad load = Load(engine);
    ASSERT_EQ(ModuleError::kNone, load.error);
    ASSERT_TRUE(load.module);
    const unsigned char* base = load.module->Base();

    // Private memory, not a mapped file, and unknown to the system loader.
    MEMORY_BASIC_INFORMATION info = {};
    ASSERT_TRUE(VirtualQuery(base, &info, sizeof info));
    EXPECT_EQ(static_cast<DWORD>(MEM_PRIVATE), info.Type);
    EXPECT_EQ(nullptr, GetModuleHandleA("skin_engine.dll"));
    EXPECT_EQ(tempBefore, FilesIn(TempFolder()));
    EXPECT_EQ(programBefore, FilesIn(ProgramFolder()));

    // Its entry point is found by name and works: a wrong magic is refused.
    ExportError error = ExportError::kNotFound;
    FARPROC entry = load.module->FindFunction(SKIN_ENGINE_ENTRY_NAME, &error);
    ASSERT_NE(nullptr, entry);
    EXPECT_EQ(ExportError::kNone, error);
    auto attach = reinterpret_cast<SkinAttachResProc>(reinterpret_cast<void*>(entry));
    const unsigned char junk[20] = {'.', 'S', 'H', 'X'};
    EXPECT_EQ(SKIN_E_MAGIC, attach(junk, sizeof junk));

    // Code is executable, headers are read-only.
    ASSERT_TRUE(VirtualQuery(reinterpret_cast<const void*>(entry), &info, sizeof info));
    EXPECT_TRUE(info.Protect & (PAGE_EXECUTE_READ | PAGE_EXECUTE));
    ASSERT_TRUE(VirtualQuery(base, &info, sizeof info));
    EXPECT_EQ(static_cast<DWORD>(PAGE_READONLY), info.Protect);

    EXPECT_EQ(nullptr, load.module->FindFunction("SkinH_Detach", &error));
    EXPECT_EQ(ExportError::kNotFound, error);

    // Unloading gives the memory back.
    load.module.reset();
    ASSERT_TRUE(VirtualQuery(base, &info, sizeof info));
    EXPECT_EQ(static_cast<DWORD>(MEM_FREE), info.State);
}

TEST(MemoryModule, DamagedOrForeignImagesAreRefused) {
    const PeEdit real(EngineBytes());
    const std::string& bytes = real.Bytes();
    ASSERT_GT(bytes.size(), 4096u);
    const uint32_t imageSize = real.SizeOfImage();
    const IMAGE_DATA_DIRECTORY relocs = real.Directory(IMAGE_DIRECTORY_ENTRY_BASERELOC);
    const IMAGE_DATA_DIRECTORY imports = real.Directory(IMAGE_DIRECTORY_ENTRY_IMPORT);
    const IMAGE_DATA_DIRECTORY tls = real.Directory(IMAGE_DIRECTORY_ENTRY_TLS);
    ASSERT_TRUE(relocs.Size && imports.Size && tls.Size);
    const size_t relocBlock = real.FileOffset(relocs.VirtualAddress);
    const size_t importDesc = real.FileOffset(imports.VirtualAddress);
    ASSERT_NE(0u, relocBlock);
    ASSERT_NE(0u, importDesc);
    const auto firstImport = real.Get<IMAGE_IMPORT_DESCRIPTOR>(importDesc);
    const size_t dllName = real.FileOffset(firstImport.Name);
    const size_t lastSection = real.SectionCount() - 1;
    const IMAGE_SECTION_HEADER last = real.Section(static_cast<int>(lastSection));
    const size_t sectionField = real.SectionTable() + lastSection * sizeof(IMAGE_SECTION_HEADER);

    auto edit = [&](auto change) {
        PeEdit e = real;
        change(e);
        return e.Bytes();
    };
    struct Case {
        const char* what;
        std::string image;
        ModuleError error;
    };
    const Case cases[] = {
        {"empty", "", ModuleError::kTruncated},
        {"inside the DOS header", bytes.substr(0, 0x20), ModuleError::kTruncated},
        {"inside the file header", bytes.substr(0, real.NtOffset() + 10), ModuleError::kTruncated},
        {"inside the section table", bytes.substr(0, real.SectionTable() + 20),
         ModuleError::kTruncated},
        {"half the file", bytes.substr(0, bytes.size() / 2), ModuleError::kTruncated},
        {"last byte missing", bytes.substr(0, bytes.size() - 1), ModuleError::kTruncated},
        {"no MZ", edit([](PeEdit& e) { e.Set<char>(0, 'X'); }), ModuleError::kBadDosHeader},
        {"negative header offset",
         edit([](PeEdit& e) { e.Set<LONG>(offsetof(IMAGE_DOS_HEADER, e_lfanew), -8); }),
         ModuleError::kBadDosHeader},
        {"header offset past the end", edit([&](PeEdit& e) {
             e.Set<LONG>(offsetof(IMAGE_DOS_HEADER, e_lfanew), static_cast<LONG>(bytes.size()));
         }),
         ModuleError::kTruncated},
        {"no PE signature", edit([&](PeEdit& e) { e.Set<char>(real.NtOffset() + 1, 'X'); }),
         ModuleError::kBadNtHeader},
        {"foreign machine", edit([&](PeEdit& e) {
             e.Set<WORD>(real.FileHeaderOffset() + offsetof(IMAGE_FILE_HEADER, Machine),
                         kForeignMachine);
         }),
         ModuleError::kForeignMachine},
        {"optional header of the other width", edit([&](PeEdit& e) {
             e.Set<WORD>(real.OptionalOffset(), IMAGE_NT_OPTIONAL_HDR32_MAGIC ^
                                                    IMAGE_NT_OPTIONAL_HDR64_MAGIC ^
                                                    real.Get<WORD>(real.OptionalOffset()));
         }),
         ModuleError::kBadNtHeader},
        {"not a DLL", edit([&](PeEdit& e) {
             size_t at = real.FileHeaderOffset() + offsetof(IMAGE_FILE_HEADER, Characteristics);
             e.Set<WORD>(at, real.Get<WORD>(at) & ~IMAGE_FILE_DLL);
         }),
         ModuleError::kNotDll},
        {"huge image size", edit([&](PeEdit& e) {
             e.Set<DWORD>(real.Field(offsetof(TestNtHeaders, OptionalHeader.SizeOfImage)),
                          0x40000000);
         }),
         ModuleError::kBadLayout},
        {"headers larger than the image", edit([&](PeEdit& e) {
             e.Set<DWORD>(real.Field(offsetof(TestNtHeaders, OptionalHeader.SizeOfHeaders)),
                          imageSize + 0x1000);
         }),
         ModuleError::kBadLayout},
        {"section beyond the image", edit([&](PeEdit& e) {
             e.Set<DWORD>(sectionField + offsetof(IMAGE_SECTION_HEADER, VirtualAddress),
                          imageSize - 0x10);
         }),
         ModuleError::kBadLayout},
        {"section data beyond the file", edit([&](PeEdit& e) {
             e.Set<DWORD>(sectionField + offsetof(IMAGE_SECTION_HEADER, SizeOfRawData),
                          last.SizeOfRawData + 0x200);
         }),
         ModuleError::kTruncated},
        {"relocation block outside the image",
         edit([&](PeEdit& e) { e.Set<DWORD>(relocBlock, imageSize); }),
         ModuleError::kBadRelocation},
        {"relocation block longer than its directory",
         edit([&](PeEdit& e) { e.Set<DWORD>(relocBlock + 4, relocs.Size + 8); }),
         ModuleError::kBadRelocation},
        {"relocation directory outside the image", edit([&](PeEdit& e) {
             e.Set<DWORD>(real.DirectoryOffset(IMAGE_DIRECTORY_ENTRY_BASERELOC), imageSize - 4);
         }),
         ModuleError::kBadRelocation},
        {"import name outside the image", edit([&](PeEdit& e) {
             e.Set<DWORD>(importDesc + offsetof(IMAGE_IMPORT_DESCRIPTOR, Name), imageSize + 100);
         }),
         ModuleError::kBadImport},
        {"import thunks outside the image", edit([&](PeEdit& e) {
             e.Set<DWORD>(importDesc + offsetof(IMAGE_IMPORT_DESCRIPTOR, FirstThunk), imageSize);
             e.Set<DWORD>(importDesc + offsetof(IMAGE_IMPORT_DESCRIPTOR, OriginalFirstThunk),
                          imageSize);
         }),
         ModuleError::kBadImport},
        {"import directory outside the image", edit([&](PeEdit& e) {
             e.Set<DWORD>(real.DirectoryOffset(IMAGE_DIRECTORY_ENTRY_IMPORT), imageSize - 8);
         }),
         ModuleError::kBadImport},
        {"imported DLL missing", edit([&](PeEdit& e) { e.Set<char>(dllName, 'Q'); }),
         ModuleError::kImportNotFound},
        {"TLS directory outside the image", edit([&](PeEdit& e) {
             e.Set<DWORD>(real.DirectoryOffset(IMAGE_DIRECTORY_ENTRY_TLS), imageSize - 4);
         }),
         ModuleError::kBadTls},
    };
    for (const auto& c : cases) {
        ModuleLoad load = Load(c.image);
        EXPECT_EQ(c.error, load.error) << c.what;
        EXPECT_FALSE(load.module) << c.what;
    }
}

// An engine whose SkinH_AttachRes is missing or forwarded loads, but no skin
// is attached.
TEST(MemoryModule, MissingOrForwardedEntryIsRefused) {
    const PeEdit real(EngineBytes());
    const IMAGE_DATA_DIRECTORY exports = real.Directory(IMAGE_DIRECTORY_ENTRY_EXPORT);
    const size_t dir = real.FileOffset(exports.VirtualAddress);
    ASSERT_NE(0u, dir);
    const auto exp = real.Get<IMAGE_EXPORT_DIRECTORY>(dir);
    const size_t name = real.FileOffset(real.Get<DWORD>(real.FileOffset(exp.AddressOfNames)));
    ASSERT_EQ(std::string(SKIN_ENGINE_ENTRY_NAME),
              std::string(real.Bytes().c_str() + name, strlen(SKIN_ENGINE_ENTRY_NAME)));
    const size_t function = real.FileOffset(exp.AddressOfFunctions);

    PeEdit renamed = real;
    renamed.Set<char>(name + 5, 'X');  // SkinH_XttachRes
    PeEdit forwarded = real;
    forwarded.Set<DWORD>(function, exports.VirtualAddress + 4);
    PeEdit badNames = real;
    badNames.Set<DWORD>(dir + offsetof(IMAGE_EXPORT_DIRECTORY, AddressOfNames),
                        real.SizeOfImage() - 2);
    struct Case {
        const char* what;
        const PeEdit& image;
        ExportError error;
    };
    const Case cases[] = {
        {"renamed", renamed, ExportError::kNotFound},
        {"forwarded", forwarded, ExportError::kForwarded},
        {"name table outside the image", badNames, ExportError::kBadExportTable},
    };
    std::string skin = SkinFileBytes();
    for (const auto& c : cases) {
        AttachOutcome outcome =
            AttachSkinFrom(c.image.Bytes().data(), c.image.Bytes().size(),
                           reinterpret_cast<const unsigned char*>(skin.data()), skin.size());
        EXPECT_EQ(AttachStatus::kNoEntryPoint, outcome.status) << c.what;
        EXPECT_EQ(c.error, outcome.exportError) << c.what;
    }
}

TEST(AttachSkin, MissingInputIsRefused) {
    std::string engine = EngineBytes();
    const unsigned char skin[16] = {};
    EXPECT_EQ(AttachStatus::kNoResource, AttachSkinFrom(nullptr, 0, skin, sizeof skin).status);
    EXPECT_EQ(AttachStatus::kNoResource,
              AttachSkinFrom(engine.data(), engine.size(), nullptr, 0).status);
}
