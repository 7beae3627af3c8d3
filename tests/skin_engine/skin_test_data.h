// The skin's text source and the stored skin file and engine image, as the
// skin tests use them.
#pragma once

#include <string>

#include "app/resource_ids.h"
#include "appearance/attach_skin.h"
#include "tests/support/test_support.h"

// The skin text in the source tree (the build passes its path).
inline std::string SkinSource() { return testing_support::ReadBytes(FILNOR_SKIN_SOURCE); }

inline std::string ResourceText(int id) {
    ResourceBytes r = ProgramResource(id);
    return r.data ? std::string(reinterpret_cast<const char*>(r.data), r.size) : std::string();
}

// The skin file and the engine image stored in this test program.
inline std::string SkinFileBytes() { return ResourceText(IDR_SKIN_FILE); }
inline std::string EngineBytes() { return ResourceText(IDR_SKIN_ENGINE); }
