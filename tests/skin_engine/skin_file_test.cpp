// The skin file the build packs: its container, byte by byte, and its
// stream decoded back to the skin text source.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "LzmaDec.h"
#include "skin_engine/skin_container.h"
#include "skin_engine/skin_engine.h"
#include "skin_engine/skin_theme.h"
#include "tests/skin_engine/skin_test_data.h"

namespace {

void* Alloc(void*, size_t size) { return std::malloc(size); }
void Free(void*, void* p) { std::free(p); }
ISzAlloc g_alloc = {Alloc, Free};

}  // namespace

TEST(SkinFile, HeaderIsExactlyTheContainerLayout) {
    std::string file = SkinFileBytes();
    std::string source = SkinSource();
    ASSERT_NE("<missing>", source);
    ASSERT_GT(file.size(), 15u);
    const uint32_t n = static_cast<uint32_t>(source.size());
    const unsigned char expected[15] = {'.',
                                        'S',
                                        'H',
                                        'E',
                                        0,
                                        3,
                                        static_cast<unsigned char>(n),
                                        static_cast<unsigned char>(n >> 8),
                                        static_cast<unsigned char>(n >> 16),
                                        static_cast<unsigned char>(n >> 24),
                                        0x5D,
                                        0x00,
                                        0x00,
                                        0x80,
                                        0x00};
    for (size_t i = 0; i < sizeof expected; ++i) {
        EXPECT_EQ(expected[i], static_cast<unsigned char>(file[i])) << "byte " << i;
    }
}

// The raw stream, decoded by the LZMA SDK itself: it yields the source,
// uses every byte up to the end of the file and carries no end marker.
TEST(SkinFile, StreamDecodesToTheSourceAndEndsAtTheEndOfTheFile) {
    std::string file = SkinFileBytes();
    std::string source = SkinSource();
    ASSERT_GT(file.size(), 15u);
    std::string out(source.size(), '\0');
    SizeT outLen = out.size();
    SizeT inLen = file.size() - 15;
    ELzmaStatus status = LZMA_STATUS_NOT_SPECIFIED;
    const auto* bytes = reinterpret_cast<const Byte*>(file.data());
    ASSERT_EQ(SZ_OK, LzmaDecode(reinterpret_cast<Byte*>(&out[0]), &outLen, bytes + 15, &inLen,
                                bytes + 10, 5, LZMA_FINISH_END, &status, &g_alloc));
    EXPECT_EQ(LZMA_STATUS_MAYBE_FINISHED_WITHOUT_MARK, status);
    EXPECT_EQ(file.size() - 15, inLen);
    EXPECT_EQ(source.size(), outLen);
    EXPECT_EQ(source, out);
}

// The engine's own unpacking code gives the same text, and it reads as a
// complete theme.
TEST(SkinFile, EngineUnpacksAndReadsIt) {
    std::string file = SkinFileBytes();
    unsigned char* text = nullptr;
    size_t size = 0;
    ASSERT_EQ(SKIN_OK, SkinUnpack(reinterpret_cast<const unsigned char*>(file.data()), file.size(),
                                  &text, &size));
    std::string unpacked(reinterpret_cast<const char*>(text), size);
    SkinFreeText(text);
    EXPECT_EQ(SkinSource(), unpacked);
    SkinTheme theme;
    EXPECT_EQ(SKIN_OK, SkinParseTheme(unpacked.data(), unpacked.size(), &theme));
    // The face must differ clearly from the system's button face.
    COLORREF system = GetSysColor(COLOR_BTNFACE);
    int distance = std::abs(GetRValue(theme.windowFace) - GetRValue(system)) +
                   std::abs(GetGValue(theme.windowFace) - GetGValue(system)) +
                   std::abs(GetBValue(theme.windowFace) - GetBValue(system));
    EXPECT_GE(distance, 24);
}
