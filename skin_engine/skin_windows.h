/* Finding and skinning the program's windows: a creation hook on the
 * attaching thread, and subclass procedures for the known window kinds. */
#pragma once

#include "skin_engine/skin_theme.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Takes over `theme`, skins the calling thread's existing windows of known
 * kinds and hooks its window creation for the ones to come. Returns a
 * SkinResult. */
int SkinAttachThread(const SkinTheme* theme);

#ifdef __cplusplus
}
#endif
