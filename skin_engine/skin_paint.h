/* Drawing of the skinned window kinds into a device context. Each painter
 * draws the window's whole client area. */
#pragma once

#include <windows.h>

#include "skin_engine/skin_theme.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Background of a top-level window or of a plain child such as the banner. */
void SkinPaintFace(HWND window, HDC dc, const SkinTheme* theme);

/* A push button in its current state (hot comes from the mouse tracking). */
void SkinPaintButton(HWND button, HDC dc, const SkinTheme* theme, int hot);

/* A group box: the card, its frame and caption; its child windows are left
 * out, they paint themselves. */
void SkinPaintGroupBox(HWND group, HDC dc, const SkinTheme* theme);

/* A status bar with its parts, texts and icons. */
void SkinPaintStatusBar(HWND bar, HDC dc, const SkinTheme* theme);

/* Whether a window is a group box (a BUTTON with BS_GROUPBOX). */
int SkinIsGroupBox(HWND window);

#ifdef __cplusplus
}
#endif
