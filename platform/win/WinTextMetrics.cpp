// The fixed text metric model: character widths by class and em height, so a
// layout measures the same on every machine (docs/text-metrics.md).
#include <algorithm>

#include "WinGdi.h"

namespace vplat {

namespace {

// Width units, in twentieths of the em.
constexpr int kNarrow = 6;
constexpr int kMedium = 8;
constexpr int kNormal = 9;
constexpr int kCapital = 13;
constexpr int kWide = 17;

int UnitsOf(wchar_t c) {
    switch (c) {
    case L'i': case L'j': case L'l': case L'I': case L'!': case L'|': case L'.': case L',': case L':':
    case L';': case L'\'': case L'`':
        return kNarrow;
    case L'f': case L'r': case L't': case L'(': case L')': case L'[': case L']': case L'{': case L'}':
    case L'-': case L'/': case L'\\': case L'"': case L' ': case L'*':
        return kMedium;
    case L'm': case L'w': case L'M': case L'W':
        return kWide;
    default: break;
    }
    if (c >= L'A' && c <= L'Z') return kCapital;
    // Accented Latin letters take the class of their kind.
    if (c >= 0xC0 && c <= 0xDD && c != 0xD7) return kCapital;
    if (c >= 0xEC && c <= 0xEF) return kNarrow;
    return kNormal;
}

}  // namespace

int TextMetrics::EmOf(LONG lfHeight) {
    if (lfHeight < 0) return static_cast<int>(-lfHeight);
    if (lfHeight == 0) return 11;
    // A cell height: the largest em whose cell fits it.
    int em = 1;
    while ((em + 1) + ((em + 1) + 2) / 5 <= lfHeight) ++em;
    return em;
}

int TextMetrics::CharWidth(wchar_t c, int em, bool bold) {
    if (c == L'\r' || c == L'\n') return 0;
    int w = (em * UnitsOf(c) + 10) / 20;
    if (bold) w += (em + 10) / 20;
    return std::max(w, 1);
}

SIZE TextMetrics::Extent(const std::wstring& text, const LOGFONTW& font) {
    TEXTMETRICW tm = Metrics(font);
    int em = EmOf(font.lfHeight);
    bool bold = font.lfWeight >= FW_SEMIBOLD;
    LONG w = 0;
    for (wchar_t c : text) w += CharWidth(c, em, bold);
    return SIZE{w, tm.tmHeight};
}

TEXTMETRICW TextMetrics::Metrics(const LOGFONTW& font) {
    int em = EmOf(font.lfHeight);
    bool bold = font.lfWeight >= FW_SEMIBOLD;
    TEXTMETRICW tm{};
    tm.tmInternalLeading = (em + 2) / 5;
    tm.tmHeight = em + tm.tmInternalLeading;
    tm.tmDescent = (tm.tmHeight + 2) / 6;
    tm.tmAscent = tm.tmHeight - tm.tmDescent;
    tm.tmExternalLeading = 0;
    tm.tmAveCharWidth = CharWidth(L'x', em, bold);
    tm.tmMaxCharWidth = CharWidth(L'W', em, bold);
    tm.tmWeight = font.lfWeight ? font.lfWeight : FW_NORMAL;
    tm.tmItalic = font.lfItalic;
    tm.tmUnderlined = font.lfUnderline;
    tm.tmStruckOut = font.lfStrikeOut;
    tm.tmFirstChar = 0x20;
    tm.tmLastChar = 0xFFFC;
    tm.tmDefaultChar = 0x1F;
    tm.tmBreakChar = 0x20;
    tm.tmPitchAndFamily = FF_SWISS | 0x06;  // variable pitch, vector, TrueType
    tm.tmCharSet = font.lfCharSet;
    tm.tmDigitizedAspectX = 96;
    tm.tmDigitizedAspectY = 96;
    return tm;
}

}  // namespace vplat
