// The status bar's parts: the StatusPart records and AddStatusPart.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

struct StatusPart {
    int width = 50;       // pixels; -1 reaches the right end of the bar
    int style = 0;        // 0 sunken, 1 without border, 2 raised
    int iconIndex = -1;   // index into the bar's image list, -1 for none
    std::string text;     // shown in the part
    std::string tooltip;  // shown when the text does not fit
};

// Creates the status bar of `parent`: docked to the bottom, tooltips, no
// size grip, button-face background, simple mode with no text, no parts.
HWND CreateStatusBar(HWND parent, int id);

// Appends one part and shows all parts; returns the new part's index. The
// width and icon index below -1 become -1; style 1 is borderless, 2 raised,
// anything else sunken.
int AddStatusPart(HWND bar, const std::string& text = {}, int width = 50,
                  const std::string& tooltip = {}, int iconIndex = -1, int style = 0);

// Replaces the text of an existing part (keeping its style); false when
// there is no such part.
bool SetStatusText(HWND bar, int index, const std::string& text);

// The parts added so far (empty for a window that is not our status bar).
std::vector<StatusPart> StatusParts(HWND bar);
