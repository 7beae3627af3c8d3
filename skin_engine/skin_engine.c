/* The skin engine DLL: its entry point SkinH_AttachRes unpacks and reads
 * the skin file, then skins the calling thread's windows. */
#include "skin_engine/skin_engine.h"

#include "skin_engine/skin_container.h"
#include "skin_engine/skin_theme.h"
#include "skin_engine/skin_windows.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}

/* Exported undecorated through the .def file. */
int WINAPI SkinH_AttachRes(const unsigned char* data, int size);

int WINAPI SkinH_AttachRes(const unsigned char* data, int size) {
    if (!data || size < SKIN_CONTAINER_HEADER_SIZE) return SKIN_E_ARGUMENT;
    unsigned char* text = NULL;
    size_t textSize = 0;
    int result = SkinUnpack(data, (size_t)size, &text, &textSize);
    if (result != SKIN_OK) return result;
    SkinTheme theme;
    result = SkinParseTheme((const char*)text, textSize, &theme);
    SkinFreeText(text);
    if (result != SKIN_OK) return result;
    return SkinAttachThread(&theme);
}
