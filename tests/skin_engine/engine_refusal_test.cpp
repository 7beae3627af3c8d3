// The real skin engine, loaded from memory, given damaged skin files: each
// is refused with its reason, never read past its end.
#include <gtest/gtest.h>

#include <cstdint>

#include "appearance/memory_module.h"
#include "skin_engine/skin_engine.h"
#include "tests/skin_engine/guarded_bytes.h"
#include "tests/skin_engine/skin_test_data.h"

namespace {

class EngineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        engineBytes = EngineBytes();
        ASSERT_FALSE(engineBytes.empty());
        ModuleLoad load = LoadModuleFromMemory(engineBytes.data(), engineBytes.size());
        ASSERT_EQ(ModuleError::kNone, load.error);
        engine = std::move(load.module);
        ExportError error;
        attach = reinterpret_cast<SkinAttachResProc>(
            reinterpret_cast<void*>(engine->FindFunction(SKIN_ENGINE_ENTRY_NAME, &error)));
        ASSERT_NE(nullptr, attach);
    }

    int Attach(const std::string& file) {
        GuardedBytes bytes(file);
        return attach(bytes.data(), static_cast<int>(bytes.size()));
    }

    std::string engineBytes;
    std::unique_ptr<MemoryModule> engine;
    SkinAttachResProc attach = nullptr;
};

std::string WithByte(std::string s, size_t at, unsigned char value) {
    s[at] = static_cast<char>(value);
    return s;
}

std::string WithSize(std::string s, uint32_t size) {
    for (int i = 0; i < 4; ++i) s[6 + i] = static_cast<char>(size >> (8 * i));
    return s;
}

}  // namespace

TEST_F(EngineTest, DamagedSkinFilesAreRefused) {
    const std::string good = SkinFileBytes();
    ASSERT_GT(good.size(), 40u);
    const uint32_t size = static_cast<uint32_t>(SkinSource().size());
    std::string flipped = good;
    for (size_t i = 20; i < good.size() - 8; i += 7) flipped[i] = static_cast<char>(~flipped[i]);
    struct Case {
        const char* what;
        std::string file;
        int result;
    };
    const Case cases[] = {
        {"empty", "", SKIN_E_ARGUMENT},
        {"header cut short", good.substr(0, 14), SKIN_E_ARGUMENT},
        {"wrong magic", WithByte(good, 1, 's'), SKIN_E_MAGIC},
        {"magic without its zero", WithByte(good, 4, ' '), SKIN_E_MAGIC},
        {"version 2", WithByte(good, 5, 2), SKIN_E_VERSION},
        {"version 4", WithByte(good, 5, 4), SKIN_E_VERSION},
        {"size zero", WithSize(good, 0), SKIN_E_SIZE},
        {"size absurd", WithSize(good, 0x7FFFFFFF), SKIN_E_SIZE},
        {"size one more than the stream holds", WithSize(good, size + 1), SKIN_E_STREAM},
        {"size one less than the stream holds", WithSize(good, size - 1), SKIN_E_STREAM},
        {"other lc/lp/pb", WithByte(good, 10, 0x5E), SKIN_E_PROPERTIES},
        {"other dictionary", WithByte(good, 13, 0x40), SKIN_E_PROPERTIES},
        {"no stream", good.substr(0, 15), SKIN_E_STREAM},
        {"stream missing its last byte", good.substr(0, good.size() - 1), SKIN_E_STREAM},
        {"stream cut in half", good.substr(0, 15 + (good.size() - 15) / 2), SKIN_E_STREAM},
        {"stream with a byte after its end", good + '\0', SKIN_E_STREAM},
    };
    for (const auto& c : cases) EXPECT_EQ(c.result, Attach(c.file)) << c.what;

    // Damage inside the stream: either the decoder or the text reader notices.
    int result = Attach(flipped);
    EXPECT_TRUE(result == SKIN_E_STREAM || result == SKIN_E_SKIN_TEXT) << result;

    EXPECT_EQ(SKIN_E_ARGUMENT, attach(nullptr, 100));
    EXPECT_EQ(SKIN_E_ARGUMENT, attach(reinterpret_cast<const unsigned char*>(good.data()), -1));
}

// After all refusals the intact file is still accepted.
TEST_F(EngineTest, IntactSkinFileIsAccepted) {
    EXPECT_EQ(SKIN_E_MAGIC, Attach(WithByte(SkinFileBytes(), 0, 'x')));
    ASSERT_EQ(SKIN_OK, Attach(SkinFileBytes()));
    // Attached, the engine hooks this thread: it must stay loaded.
    engine.release();
}
