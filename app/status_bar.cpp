// The status bar and its parts. The part records live with the bar (a
// window property); a subclass procedure frees them when the bar is destroyed.
#include "app/status_bar.h"

#include <commctrl.h>

#include <memory>

namespace {

constexpr UINT_PTR kPartsSubclassId = 0x5042;  // "PB"
constexpr char kPartsProperty[] = "FilnorStatusParts";

using PartList = std::vector<StatusPart>;

LRESULT CALLBACK StatusBarProc(HWND bar, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                               DWORD_PTR data) {
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(bar, StatusBarProc, id);
        RemovePropA(bar, kPartsProperty);
        delete reinterpret_cast<PartList*>(data);
    }
    return DefSubclassProc(bar, msg, wp, lp);
}

PartList* PartsOf(HWND bar) { return static_cast<PartList*>(GetPropA(bar, kPartsProperty)); }

WPARAM StyleBits(int style) {
    switch (style) {
        case 1:
            return SBT_NOBORDERS;
        case 2:
            return SBT_POPOUT;
        default:
            return 0;
    }
}

void ShowPart(HWND bar, int index, const StatusPart& part) {
    SendMessageA(bar, SB_SETTEXTA, static_cast<WPARAM>(index) | StyleBits(part.style),
                 reinterpret_cast<LPARAM>(part.text.c_str()));
    // The bar has no image list, so no index can show a picture.
    SendMessageA(bar, SB_SETICON, static_cast<WPARAM>(index), 0);
    SendMessageA(bar, SB_SETTIPTEXTA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(part.tooltip.c_str()));
}

}  // namespace

HWND CreateStatusBar(HWND parent, int id) {
    HWND bar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | CCS_BOTTOM | SBT_TOOLTIPS, 0, 0,
                               0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleA(nullptr), nullptr);
    if (!bar) return nullptr;
    auto parts = std::make_unique<PartList>();
    if (!SetPropA(bar, kPartsProperty, parts.get()) ||
        !SetWindowSubclass(bar, StatusBarProc, kPartsSubclassId,
                           reinterpret_cast<DWORD_PTR>(parts.get()))) {
        DestroyWindow(bar);
        return nullptr;
    }
    parts.release();  // owned by the subclass from now on
    SendMessageA(bar, SB_SETBKCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_BTNFACE)));
    SendMessageA(bar, SB_SIMPLE, TRUE, 0);
    SendMessageA(bar, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(""));
    return bar;
}

int AddStatusPart(HWND bar, const std::string& text, int width, const std::string& tooltip,
                  int iconIndex, int style) {
    PartList* parts = PartsOf(bar);
    if (!parts) return -1;
    parts->push_back(
        {width < -1 ? -1 : width, style, iconIndex < -1 ? -1 : iconIndex, text, tooltip});
    const int index = static_cast<int>(parts->size()) - 1;

    // Right edges: a running sum; a -1 part reaches the end and every part
    // after it gets no room.
    std::vector<int> edges;
    edges.reserve(parts->size());
    int sum = 0;
    bool reachedEnd = false;
    for (const StatusPart& p : *parts) {
        if (reachedEnd) {
            edges.push_back(0);
        } else if (p.width == -1) {
            edges.push_back(-1);
            reachedEnd = true;
        } else {
            sum += p.width;
            edges.push_back(sum);
        }
    }

    const BOOL wasSimple = static_cast<BOOL>(SendMessageA(bar, SB_ISSIMPLE, 0, 0));
    SendMessageA(bar, SB_SIMPLE, FALSE, 0);
    if (!SendMessageA(bar, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()))) {
        SendMessageA(bar, SB_SIMPLE, wasSimple, 0);
        return index;
    }
    for (size_t i = 0; i < parts->size(); ++i) ShowPart(bar, static_cast<int>(i), (*parts)[i]);
    return index;
}

bool SetStatusText(HWND bar, int index, const std::string& text) {
    PartList* parts = PartsOf(bar);
    if (!parts || index < 0 || index >= static_cast<int>(parts->size())) return false;
    StatusPart& part = (*parts)[static_cast<size_t>(index)];
    part.text = text;
    SendMessageA(bar, SB_SETTEXTA, static_cast<WPARAM>(index) | StyleBits(part.style),
                 reinterpret_cast<LPARAM>(part.text.c_str()));
    return true;
}

std::vector<StatusPart> StatusParts(HWND bar) {
    PartList* parts = PartsOf(bar);
    return parts ? *parts : PartList{};
}
