/* The skin engine's one entry point and its result codes, shared by the
 * engine DLL, the program that loads it and the tests. */
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Name under which the engine DLL exports its entry point (undecorated). */
#define SKIN_ENGINE_ENTRY_NAME "SkinH_AttachRes"

/* Results of SkinH_AttachRes; only SKIN_OK attaches the skin. */
enum SkinResult {
    SKIN_OK = 0,
    SKIN_E_ARGUMENT = 1,     /* null data or a size below the container header */
    SKIN_E_MAGIC = 2,        /* not ".SHE\0" */
    SKIN_E_VERSION = 3,      /* container version byte other than 3 */
    SKIN_E_SIZE = 4,         /* unpacked size zero or implausibly large */
    SKIN_E_PROPERTIES = 5,   /* LZMA properties other than 0x5D, 8 MiB */
    SKIN_E_STREAM = 6,       /* corrupt, truncated or overlong LZMA stream */
    SKIN_E_MEMORY = 7,       /* out of memory */
    SKIN_E_SKIN_TEXT = 8,    /* the unpacked skin description is malformed */
    SKIN_E_HOOK = 9,         /* the window hook could not be installed */
    SKIN_E_OTHER_THREAD = 10 /* already attached on another thread */
};

/* Unpacks and checks the skin file (data, size), then skins the windows of
 * the calling thread: those that exist and those created later. Returns a
 * SkinResult; on any error nothing changes. */
typedef int(WINAPI* SkinAttachResProc)(const unsigned char* data, int size);

#ifdef __cplusplus
}
#endif
