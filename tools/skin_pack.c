/* Host-side build tool: packs the skin text into the skin file the program
 * stores. Layout (integers little-endian):
 *   0  ".SHE" and a zero byte
 *   5  3 (container version)
 *   6  uint32 size of the unpacked skin text
 *  10  LZMA properties: 0x5D, then the dictionary size 0x00800000
 *  15  raw LZMA stream without end marker, up to the end of the file
 * Usage: skin_pack <skin text> <skin file>
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "LzmaEnc.h"

enum { kHeaderSize = 15, kMaxSkinText = 4 << 20 };

static void* AllocBytes(void* p, size_t size) {
    (void)p;
    return size ? malloc(size) : NULL;
}
static void FreeBytes(void* p, void* address) {
    (void)p;
    free(address);
}
static ISzAlloc g_alloc = {AllocBytes, FreeBytes};

static void PutLe32(unsigned char* out, unsigned long value) {
    for (int i = 0; i < 4; ++i) out[i] = (unsigned char)(value >> (8 * i));
}

/* Reads a whole file; returns 0 on failure or when it is empty or too big. */
static unsigned char* ReadAll(const char* path, size_t* size) {
    FILE* f = fopen(path, "rb");
    if (!f) return NULL;
    unsigned char* data = malloc(kMaxSkinText + 1);
    size_t got = data ? fread(data, 1, kMaxSkinText + 1, f) : 0;
    int failed = ferror(f);
    fclose(f);
    if (!data || failed || got == 0 || got > kMaxSkinText) {
        free(data);
        return NULL;
    }
    *size = got;
    return data;
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: %s <skin text> <skin file>\n", argv[0]);
        return 2;
    }
    size_t textSize = 0;
    unsigned char* text = ReadAll(argv[1], &textSize);
    if (!text) {
        fprintf(stderr, "skin_pack: cannot read %s (missing, empty or over 4 MiB)\n", argv[1]);
        return 1;
    }

    CLzmaEncProps props;
    LzmaEncProps_Init(&props);
    props.level = 9;
    props.dictSize = 1u << 23; /* 8 MiB, as the container records */
    props.lc = 3;
    props.lp = 0;
    props.pb = 2;
    props.writeEndMark = 0;
    props.numThreads = 1;

    /* Incompressible input grows by a little over 1/256; leave ample room. */
    size_t capacity = kHeaderSize + textSize + textSize / 2 + 1024;
    unsigned char* out = malloc(capacity);
    if (!out) return 1;
    SizeT streamSize = capacity - kHeaderSize;
    unsigned char encodedProps[LZMA_PROPS_SIZE];
    SizeT propsSize = LZMA_PROPS_SIZE;
    SRes res = LzmaEncode(out + kHeaderSize, &streamSize, text, textSize, &props, encodedProps,
                          &propsSize, 0, NULL, &g_alloc, &g_alloc);
    if (res != SZ_OK) {
        fprintf(stderr, "skin_pack: LZMA encoding failed (%d)\n", res);
        return 1;
    }
    static const unsigned char kExpectedProps[LZMA_PROPS_SIZE] = {0x5D, 0x00, 0x00, 0x80, 0x00};
    if (propsSize != LZMA_PROPS_SIZE || memcmp(encodedProps, kExpectedProps, LZMA_PROPS_SIZE)) {
        fprintf(stderr, "skin_pack: encoder chose unexpected properties\n");
        return 1;
    }

    memcpy(out, ".SHE", 5); /* the literal's terminating zero is the fifth byte */
    out[5] = 3;
    PutLe32(out + 6, (unsigned long)textSize);
    memcpy(out + 10, encodedProps, LZMA_PROPS_SIZE);
    size_t total = kHeaderSize + streamSize;

    /* Write beside the target and rename, so a failed run leaves no half file. */
    size_t pathLen = strlen(argv[2]);
    char* tmpPath = malloc(pathLen + 5);
    if (!tmpPath) return 1;
    memcpy(tmpPath, argv[2], pathLen);
    memcpy(tmpPath + pathLen, ".tmp", 5);
    FILE* f = fopen(tmpPath, "wb");
    if (!f) {
        fprintf(stderr, "skin_pack: cannot create %s\n", tmpPath);
        return 1;
    }
    size_t written = fwrite(out, 1, total, f);
    int closeFailed = fclose(f);
    if (written != total || closeFailed || rename(tmpPath, argv[2]) != 0) {
        fprintf(stderr, "skin_pack: cannot write %s\n", argv[2]);
        remove(tmpPath);
        return 1;
    }
    printf("skin_pack: %lu bytes of skin text -> %lu bytes\n", (unsigned long)textSize,
           (unsigned long)total);
    free(tmpPath);
    free(out);
    free(text);
    return 0;
}
