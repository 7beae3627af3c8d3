/* The skin description: colours and sizes read from the unpacked skin text,
 * one "key = value" per line, "#" starts a comment line. */
#pragma once

#include <stddef.h>
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Push button looks, in the order the painter picks them. */
enum SkinButtonState {
    SKIN_BUTTON_NORMAL = 0,
    SKIN_BUTTON_HOT = 1,
    SKIN_BUTTON_PRESSED = 2,
    SKIN_BUTTON_FOCUSED = 3,
    SKIN_BUTTON_DISABLED = 4,
    SKIN_BUTTON_STATES = 5
};

typedef struct SkinButtonLook {
    COLORREF faceTop, faceBottom, border, text;
} SkinButtonLook;

typedef struct SkinTheme {
    COLORREF windowFace, windowText;
    COLORREF groupFace, groupBorder, groupCaption;
    int groupRadius;
    int buttonRadius;
    SkinButtonLook button[SKIN_BUTTON_STATES];
    COLORREF focusRing;
    COLORREF statusFace, statusBorder, statusSeparator, statusText;
} SkinTheme;

/* Parses the skin text (size bytes, not necessarily zero-terminated). Every
 * key of the theme must be present with a valid value; unknown keys are
 * ignored. Returns SKIN_OK or SKIN_E_SKIN_TEXT (theme left unspecified). */
int SkinParseTheme(const char* text, size_t size, SkinTheme* theme);

#ifdef __cplusplus
}
#endif
