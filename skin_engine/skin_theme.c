/* Reads the skin text into a SkinTheme (see skin_theme.h). */
#include "skin_engine/skin_theme.h"

#include <stddef.h>
#include <string.h>

#include "skin_engine/skin_engine.h"

enum ValueKind { kColour, kSize, kVersion, kName };

typedef struct KeySpec {
    const char* key;
    enum ValueKind kind;
    size_t offset; /* into SkinTheme; unused for kVersion and kName */
} KeySpec;

#define COLOUR(key, field) \
    { key, kColour, offsetof(SkinTheme, field) }
#define BUTTON(state, name)                                              \
    COLOUR("button." name ".face.top", button[state].faceTop),           \
        COLOUR("button." name ".face.bottom", button[state].faceBottom), \
        COLOUR("button." name ".border", button[state].border),          \
        COLOUR("button." name ".text", button[state].text)

static const KeySpec kKeys[] = {
    {"name", kName, 0},
    {"version", kVersion, 0},
    COLOUR("window.face", windowFace),
    COLOUR("window.text", windowText),
    COLOUR("group.face", groupFace),
    COLOUR("group.border", groupBorder),
    COLOUR("group.caption", groupCaption),
    {"group.radius", kSize, offsetof(SkinTheme, groupRadius)},
    {"button.radius", kSize, offsetof(SkinTheme, buttonRadius)},
    BUTTON(SKIN_BUTTON_NORMAL, "normal"),
    BUTTON(SKIN_BUTTON_HOT, "hot"),
    BUTTON(SKIN_BUTTON_PRESSED, "pressed"),
    BUTTON(SKIN_BUTTON_FOCUSED, "focused"),
    BUTTON(SKIN_BUTTON_DISABLED, "disabled"),
    COLOUR("button.focus.ring", focusRing),
    COLOUR("status.face", statusFace),
    COLOUR("status.border", statusBorder),
    COLOUR("status.separator", statusSeparator),
    COLOUR("status.text", statusText),
};

enum { kKeyCount = sizeof kKeys / sizeof kKeys[0], kMaxSize = 32 };

static int IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

static int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

/* "#RRGGBB" */
static int ParseColour(const char* v, size_t n, COLORREF* out) {
    if (n != 7 || v[0] != '#') return 0;
    int d[6];
    for (int i = 0; i < 6; ++i) {
        d[i] = HexDigit(v[1 + i]);
        if (d[i] < 0) return 0;
    }
    *out = RGB(d[0] * 16 + d[1], d[2] * 16 + d[3], d[4] * 16 + d[5]);
    return 1;
}

/* A decimal number 0..limit without sign. */
static int ParseNumber(const char* v, size_t n, int limit, int* out) {
    if (n == 0 || n > 3) return 0;
    int value = 0;
    for (size_t i = 0; i < n; ++i) {
        if (v[i] < '0' || v[i] > '9') return 0;
        value = value * 10 + (v[i] - '0');
    }
    if (value > limit) return 0;
    *out = value;
    return 1;
}

static int ApplyValue(const KeySpec* entry, const char* v, size_t n, SkinTheme* theme) {
    char* field = (char*)theme + entry->offset;
    switch (entry->kind) {
        case kColour:
            return ParseColour(v, n, (COLORREF*)field);
        case kSize:
            return ParseNumber(v, n, kMaxSize, (int*)field);
        case kVersion: {
            int version = 0;
            return ParseNumber(v, n, 999, &version) && version == 1;
        }
        case kName:
            return n > 0;
    }
    return 0;
}

int SkinParseTheme(const char* text, size_t size, SkinTheme* theme) {
    if (!text || !theme) return SKIN_E_SKIN_TEXT;
    unsigned char seen[kKeyCount];
    memset(seen, 0, sizeof seen);
    memset(theme, 0, sizeof *theme);
    size_t pos = 0;
    while (pos < size) {
        size_t end = pos;
        while (end < size && text[end] != '\n') {
            if (text[end] == '\0') return SKIN_E_SKIN_TEXT;
            ++end;
        }
        size_t b = pos, e = end;
        pos = end + 1;
        while (b < e && IsBlank(text[b])) ++b;
        while (e > b && IsBlank(text[e - 1])) --e;
        if (b == e || text[b] == '#') continue;

        size_t eq = b;
        while (eq < e && text[eq] != '=') ++eq;
        if (eq == e) return SKIN_E_SKIN_TEXT; /* a line that is not key = value */
        size_t keyEnd = eq, valueStart = eq + 1;
        while (keyEnd > b && IsBlank(text[keyEnd - 1])) --keyEnd;
        while (valueStart < e && IsBlank(text[valueStart])) ++valueStart;
        if (keyEnd == b) return SKIN_E_SKIN_TEXT;

        for (int k = 0; k < kKeyCount; ++k) {
            size_t len = strlen(kKeys[k].key);
            if (len != keyEnd - b || memcmp(kKeys[k].key, text + b, len) != 0) continue;
            if (seen[k] || !ApplyValue(&kKeys[k], text + valueStart, e - valueStart, theme))
                return SKIN_E_SKIN_TEXT;
            seen[k] = 1;
            break;
        }
    }
    for (int k = 0; k < kKeyCount; ++k) {
        if (!seen[k]) return SKIN_E_SKIN_TEXT;
    }
    return SKIN_OK;
}
