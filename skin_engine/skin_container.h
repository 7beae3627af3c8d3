/* The skin file container: ".SHE", zero, version 3, unpacked size (uint32
 * LE), LZMA properties (0x5D, dictionary 8 MiB), then a raw LZMA stream
 * without end marker that ends exactly at the end of the data. */
#pragma once

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

enum {
    SKIN_CONTAINER_HEADER_SIZE = 15,
    SKIN_CONTAINER_VERSION = 3,
    SKIN_TEXT_MAX_SIZE = 4 << 20 /* a skin description is a few KiB */
};

/* Checks the container and unpacks it. On SKIN_OK, *text receives a buffer
 * of *textSize bytes (free it with SkinFreeText); otherwise *text is null.
 * Never reads outside data[0, size). */
int SkinUnpack(const unsigned char* data, size_t size, unsigned char** text, size_t* textSize);
void SkinFreeText(unsigned char* text);

#ifdef __cplusplus
}
#endif
