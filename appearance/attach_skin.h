// Attaching the skin at start-up: the skin engine stored in the program is
// mapped from memory (no file is written) and handed the stored skin file.
#pragma once

#include <cstddef>

#include "appearance/memory_module.h"

enum class AttachStatus {
    kAttached,
    kNoResource,       // the engine image or the skin file is not in the program
    kEngineNotLoaded,  // the engine image was refused (see loadError)
    kNoEntryPoint,     // the engine has no usable SkinH_AttachRes (see exportError)
    kSkinRefused,      // the engine refused the skin file (see engineResult)
};

struct AttachOutcome {
    AttachStatus status = AttachStatus::kNoResource;
    ModuleError loadError = ModuleError::kNone;
    ExportError exportError = ExportError::kNone;
    int engineResult = 0;  // what SkinH_AttachRes returned, when it was called
};

// Attaches the skin stored in the program to the calling thread's windows,
// those that exist and those created afterwards; call it before the main
// window is created. True when the skin is attached. Otherwise the windows
// keep the standard look and nothing is shown to the user.
bool AttachSkin();

// AttachSkin's work with the engine image and the skin file given. Once the
// engine has accepted the skin it stays loaded until the process ends; an
// engine that refused is unloaded again.
AttachOutcome AttachSkinFrom(const void* engine, size_t engineSize, const unsigned char* skin,
                             size_t skinSize);

// An RCDATA resource of the program file; data is null when it is missing.
struct ResourceBytes {
    const unsigned char* data = nullptr;
    size_t size = 0;
};
ResourceBytes ProgramResource(int id);
