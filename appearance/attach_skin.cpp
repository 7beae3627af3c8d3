// Attaching the skin with the engine mapped from memory (see attach_skin.h).
#include "appearance/attach_skin.h"

#include "app/resource_ids.h"
#include "skin_engine/skin_engine.h"

ResourceBytes ProgramResource(int id) {
    ResourceBytes bytes;
    HMODULE self = GetModuleHandleA(nullptr);
    // RT_RCDATA, spelt out as it expands to a wide name in Unicode builds.
    HRSRC info = FindResourceA(self, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));
    HGLOBAL loaded = info ? LoadResource(self, info) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    DWORD size = info ? SizeofResource(self, info) : 0;
    if (data && size) {
        bytes.data = static_cast<const unsigned char*>(data);
        bytes.size = size;
    }
    return bytes;
}

AttachOutcome AttachSkinFrom(const void* engine, size_t engineSize, const unsigned char* skin,
                             size_t skinSize) {
    AttachOutcome outcome;
    if (!engine || !engineSize || !skin || !skinSize || skinSize > 0x7FFFFFFF) return outcome;
    ModuleLoad load = LoadModuleFromMemory(engine, engineSize);
    if (!load.module) {
        outcome.status = AttachStatus::kEngineNotLoaded;
        outcome.loadError = load.error;
        return outcome;
    }
    FARPROC entry = load.module->FindFunction(SKIN_ENGINE_ENTRY_NAME, &outcome.exportError);
    if (!entry) {
        outcome.status = AttachStatus::kNoEntryPoint;
        return outcome;
    }
    auto attach = reinterpret_cast<SkinAttachResProc>(reinterpret_cast<void*>(entry));
    outcome.engineResult = attach(skin, static_cast<int>(skinSize));
    if (outcome.engineResult != SKIN_OK) {
        outcome.status = AttachStatus::kSkinRefused;
        return outcome;
    }
    // The engine now hooks and paints this thread's windows: it must stay in
    // the process until the process ends, so the module is never freed.
    load.module.release();
    outcome.status = AttachStatus::kAttached;
    return outcome;
}

bool AttachSkin() {
    ResourceBytes engine = ProgramResource(IDR_SKIN_ENGINE);
    ResourceBytes skin = ProgramResource(IDR_SKIN_FILE);
    return AttachSkinFrom(engine.data, engine.size, skin.data, skin.size).status ==
           AttachStatus::kAttached;
}
