/* Checks and unpacks the skin file container (see skin_container.h). */
#include "skin_engine/skin_container.h"

#include <string.h>
#include <windows.h>

#include "LzmaDec.h"
#include "skin_engine/skin_engine.h"

static void* HeapAllocBytes(void* p, size_t size) {
    (void)p;
    return size ? HeapAlloc(GetProcessHeap(), 0, size) : NULL;
}

static void HeapFreeBytes(void* p, void* address) {
    (void)p;
    if (address) HeapFree(GetProcessHeap(), 0, address);
}

static ISzAlloc g_heapAlloc = {HeapAllocBytes, HeapFreeBytes};

static unsigned long ReadLe32(const unsigned char* p) {
    return (unsigned long)p[0] | (unsigned long)p[1] << 8 | (unsigned long)p[2] << 16 |
           (unsigned long)p[3] << 24;
}

void SkinFreeText(unsigned char* text) { HeapFreeBytes(NULL, text); }

int SkinUnpack(const unsigned char* data, size_t size, unsigned char** text, size_t* textSize) {
    static const unsigned char kMagic[5] = {'.', 'S', 'H', 'E', 0};
    static const unsigned char kProperties[LZMA_PROPS_SIZE] = {0x5D, 0x00, 0x00, 0x80, 0x00};
    if (!text || !textSize) return SKIN_E_ARGUMENT;
    *text = NULL;
    *textSize = 0;
    if (!data || size < SKIN_CONTAINER_HEADER_SIZE) return SKIN_E_ARGUMENT;
    if (memcmp(data, kMagic, sizeof kMagic) != 0) return SKIN_E_MAGIC;
    if (data[5] != SKIN_CONTAINER_VERSION) return SKIN_E_VERSION;
    unsigned long unpackedSize = ReadLe32(data + 6);
    if (unpackedSize == 0 || unpackedSize > SKIN_TEXT_MAX_SIZE) return SKIN_E_SIZE;
    if (memcmp(data + 10, kProperties, sizeof kProperties) != 0) return SKIN_E_PROPERTIES;

    unsigned char* out = (unsigned char*)HeapAllocBytes(NULL, unpackedSize);
    if (!out) return SKIN_E_MEMORY;
    /* The decoder gets exactly the stream's bytes and exactly the promised
     * output room, so it can neither read nor write outside them. */
    SizeT outLen = unpackedSize;
    SizeT inLen = size - SKIN_CONTAINER_HEADER_SIZE;
    ELzmaStatus status = LZMA_STATUS_NOT_SPECIFIED;
    SRes res = LzmaDecode(out, &outLen, data + SKIN_CONTAINER_HEADER_SIZE, &inLen, data + 10,
                          LZMA_PROPS_SIZE, LZMA_FINISH_END, &status, &g_heapAlloc);
    /* A stream without end marker is complete when the promised size came
     * out, the range coder finished clean and every input byte was used. */
    int ok = res == SZ_OK && status == LZMA_STATUS_MAYBE_FINISHED_WITHOUT_MARK &&
             outLen == unpackedSize && inLen == size - SKIN_CONTAINER_HEADER_SIZE;
    if (!ok) {
        HeapFreeBytes(NULL, out);
        return res == SZ_ERROR_MEM ? SKIN_E_MEMORY : SKIN_E_STREAM;
    }
    *text = out;
    *textSize = outLen;
    return SKIN_OK;
}
