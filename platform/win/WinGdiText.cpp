// Text: glyphs placed by the metric model, text output, measures and DrawText.
#include <cairo.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <memory>

#include "HostText.h"
#include "WinGdiImpl.h"

namespace vplat {
namespace gdi {

const LOGFONTW& FontOf(const Dc& d) {
    Object* f = Obj(d.st.font);
    return f ? f->font : Obj(T().stock[SYSTEM_FONT])->font;
}

// Draws a text's glyphs at their model positions: each character's glyph is
// centred in the box the metric model gives it.
void Glyphs(Dc& d, int x, int y, const std::wstring& text, int underline) {
    const LOGFONTW& lf = FontOf(d);
    TEXTMETRICW tm = TextMetrics::Metrics(lf);
    int em = TextMetrics::EmOf(lf.lfHeight);
    bool bold = lf.lfWeight >= FW_SEMIBOLD;
    SIZE ext = TextMetrics::Extent(text, lf);
    Prepare(d);
    if (d.st.bkMode == OPAQUE) {
        Colour(d.cr, d.st.bk);
        cairo_rectangle(d.cr, SX(d, x), SY(d, y), ext.cx, ext.cy);
        cairo_fill(d.cr);
    }
    Colour(d.cr, d.st.text);
    cairo_select_font_face(d.cr, "DejaVu Sans", lf.lfItalic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(d.cr, em * 0.85);
    cairo_set_antialias(d.cr, CAIRO_ANTIALIAS_GRAY);
    int cx = x;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        int w = TextMetrics::CharWidth(c, em, bold);
        if (c != L' ' && c != L'\r' && c != L'\n' && c != L'\t') {
            std::string u = WideToUtf8(std::wstring(1, c));
            cairo_text_extents_t te;
            cairo_text_extents(d.cr, u.c_str(), &te);
            double gx = SX(d, cx) + (w - te.x_advance) / 2.0;
            cairo_move_to(d.cr, gx, SY(d, y + tm.tmAscent));
            cairo_show_text(d.cr, u.c_str());
        }
        if (static_cast<int>(i) == underline || lf.lfUnderline) {
            cairo_rectangle(d.cr, SX(d, cx), SY(d, y + tm.tmAscent + 1), w, 1);
            cairo_fill(d.cr);
        }
        cx += w;
    }
    cairo_set_antialias(d.cr, CAIRO_ANTIALIAS_NONE);
}

}  // namespace gdi

namespace win {

void DrawTextIn(HDC hdc, const std::wstring& text, RECT r, UINT format, COLORREF colour) {
    SetTextColor(hdc, colour);
    SetBkMode(hdc, TRANSPARENT);
    DrawTextW(hdc, text.c_str(), static_cast<int>(text.size()), &r, format);
}

}  // namespace win

}  // namespace vplat

using namespace vplat;
using namespace vplat::gdi;

extern "C" {

BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR text, int count) {
    Dc* d = D(hdc);
    if (!d || !text) return FALSE;
    std::wstring s = count < 0 ? std::wstring(text) : std::wstring(text, static_cast<size_t>(count));
    Glyphs(*d, x, y, s);
    Log(*d, "TextOut (" + std::to_string(x) + "," + std::to_string(y) + ") \"" + WideToUtf8(s) + "\"");
    return TRUE;
}

BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count, const INT*) {
    Dc* d = D(hdc);
    if (!d) return FALSE;
    if ((options & ETO_OPAQUE) && rect) {
        HBRUSH b = CreateSolidBrush(d->st.bk);
        FillWith(*d, *rect, Obj(b));
        DeleteObject(b);
        Log(*d, "ExtTextOut " + R(*rect) + " opaque " + Hex(d->st.bk));
    }
    if (!text || count == 0) return TRUE;
    int saved = SaveDC(hdc);
    if ((options & ETO_CLIPPED) && rect) IntersectClipRect(hdc, rect->left, rect->top, rect->right, rect->bottom);
    int mode = d->st.bkMode;
    if (options & ETO_OPAQUE) d->st.bkMode = TRANSPARENT;
    BOOL ok = TextOutW(hdc, x, y, text, static_cast<int>(count));
    d->st.bkMode = mode;
    RestoreDC(hdc, saved);
    return ok;
}

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR text, int count, LPSIZE size) {
    Dc* d = D(hdc);
    if (!d || !size) return FALSE;
    std::wstring s = text ? (count < 0 ? std::wstring(text) : std::wstring(text, static_cast<size_t>(count))) : L"";
    *size = TextMetrics::Extent(s, FontOf(*d));
    return TRUE;
}

BOOL GetTextMetricsW(HDC hdc, TEXTMETRICW* tm) {
    Dc* d = D(hdc);
    if (!d || !tm) return FALSE;
    *tm = TextMetrics::Metrics(FontOf(*d));
    return TRUE;
}

int GetTextFaceW(HDC hdc, int size, LPWSTR face) {
    Dc* d = D(hdc);
    if (!d) return 0;
    std::wstring f = FontOf(*d).lfFaceName;
    if (face && size > 0) {
        size_t n = std::min(f.size(), static_cast<size_t>(size - 1));
        std::wmemcpy(face, f.c_str(), n);
        face[n] = 0;
    }
    return static_cast<int>(f.size() + 1);
}

UINT SetTextAlign(HDC, UINT) { return 0; }

int EnumFontFamiliesExW(HDC hdc, LPLOGFONTW font, FONTENUMPROCW proc, LPARAM lParam, DWORD) {
    struct Family {
        const wchar_t* face;
        DWORD type;
    };
    static const Family families[] = {{L"MS Shell Dlg", TRUETYPE_FONTTYPE}, {L"MS Sans Serif", RASTER_FONTTYPE},
                                      {L"Tahoma", TRUETYPE_FONTTYPE},       {L"Segoe UI", TRUETYPE_FONTTYPE},
                                      {L"Arial", TRUETYPE_FONTTYPE},        {L"Courier New", TRUETYPE_FONTTYPE}};
    if (!D(hdc) || !font || !proc) return 0;
    int answer = 1;
    for (const Family& f : families) {
        if (font->lfFaceName[0] && wcscasecmp(font->lfFaceName, f.face) != 0) continue;
        if (font->lfCharSet != DEFAULT_CHARSET && font->lfCharSet != ANSI_CHARSET) continue;
        LOGFONTW lf{};
        lf.lfHeight = -11;
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = ANSI_CHARSET;
        std::wcsncpy(lf.lfFaceName, f.face, LF_FACESIZE - 1);
        TEXTMETRICW tm = TextMetrics::Metrics(lf);
        answer = proc(&lf, &tm, f.type, lParam);
        if (answer == 0) break;
    }
    return answer;
}

int GetTextCharset(HDC hdc) {
    Dc* d = D(hdc);
    if (!d) return DEFAULT_CHARSET;
    BYTE cs = FontOf(*d).lfCharSet;
    return cs == DEFAULT_CHARSET ? ANSI_CHARSET : cs;
}

}  // extern "C"


// DrawText: the layout of lines, ellipsis and alignment by the metric model.
namespace {

struct TextLine {
    std::wstring text;
    int underline = -1;
};

std::wstring Prefixed(const std::wstring& in, bool noPrefix, int* underline) {
    *underline = -1;
    if (noPrefix) return in;
    std::wstring out;
    for (size_t i = 0; i < in.size(); ++i) {
        if (in[i] == L'&') {
            if (i + 1 < in.size() && in[i + 1] == L'&') {
                out.push_back(L'&');
                ++i;
            } else if (i + 1 < in.size()) {
                *underline = static_cast<int>(out.size());
            }
            continue;
        }
        out.push_back(in[i]);
    }
    return out;
}

int Width(const std::wstring& s, const LOGFONTW& lf) { return TextMetrics::Extent(s, lf).cx; }

}  // namespace

extern "C" int DrawTextW(HDC hdc, LPCWSTR text, int count, LPRECT rect, UINT format) {
    Dc* d = D(hdc);
    if (!d || !text || !rect) return 0;
    std::wstring raw = count < 0 ? std::wstring(text) : std::wstring(text, static_cast<size_t>(count));
    const LOGFONTW& lf = FontOf(*d);
    TEXTMETRICW tm = TextMetrics::Metrics(lf);
    int underline = -1;
    std::wstring s = Prefixed(raw, (format & DT_NOPREFIX) != 0, &underline);
    int width = rect->right - rect->left;
    std::vector<TextLine> lines;
    if (format & DT_SINGLELINE) {
        std::wstring one;
        for (wchar_t c : s)
            if (c != L'\r' && c != L'\n') one.push_back(c);
        lines.push_back({one, underline});
    } else {
        std::vector<std::wstring> paragraphs(1);
        for (size_t i = 0; i < s.size(); ++i) {
            if (s[i] == L'\r' || s[i] == L'\n') {
                if (s[i] == L'\r' && i + 1 < s.size() && s[i + 1] == L'\n') ++i;
                paragraphs.emplace_back();
            } else {
                paragraphs.back().push_back(s[i]);
            }
        }
        for (const std::wstring& p : paragraphs) {
            if (!(format & DT_WORDBREAK) || Width(p, lf) <= width) {
                lines.push_back({p, -1});
                continue;
            }
            // Breaks at blanks; a word wider than the line stays whole.
            std::wstring line;
            size_t i = 0;
            while (i < p.size()) {
                size_t j = p.find(L' ', i);
                std::wstring word = p.substr(i, j == std::wstring::npos ? std::wstring::npos : j - i);
                std::wstring tryLine = line.empty() ? word : line + L" " + word;
                if (!line.empty() && Width(tryLine, lf) > width) {
                    lines.push_back({line, -1});
                    line = word;
                } else {
                    line = tryLine;
                }
                if (j == std::wstring::npos) break;
                i = j + 1;
            }
            lines.push_back({line, -1});
        }
        if (lines.size() == 1) lines[0].underline = underline;
    }
    if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS)) {
        // The longest start of the line that fits with "..." after it. The
        // model's widths add up character by character, so one walk with a
        // running width finds it, however long the line.
        const int em = TextMetrics::EmOf(lf.lfHeight);
        const bool bold = lf.lfWeight >= FW_SEMIBOLD;
        const int room = width - Width(L"...", lf);
        for (TextLine& l : lines) {
            if (Width(l.text, lf) <= width) continue;
            size_t n = 0;
            for (int used = 0; n < l.text.size(); ++n) {
                used += TextMetrics::CharWidth(l.text[n], em, bold);
                if (used > room) break;
            }
            l.text = l.text.substr(0, n) + L"...";
        }
    }
    int lineH = tm.tmHeight;
    int total = lineH * static_cast<int>(lines.size());
    int maxW = 0;
    for (const TextLine& l : lines) maxW = std::max(maxW, Width(l.text, lf));
    if (format & DT_CALCRECT) {
        rect->right = rect->left + maxW;
        rect->bottom = rect->top + total;
        return total;
    }
    int y = rect->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER) y = rect->top + (rect->bottom - rect->top - lineH) / 2;
        if (format & DT_BOTTOM) y = rect->bottom - lineH;
    }
    T().quiet++;
    int saved = SaveDC(hdc);
    if (!(format & DT_NOCLIP)) IntersectClipRect(hdc, rect->left, rect->top, rect->right, rect->bottom);
    for (const TextLine& l : lines) {
        int w = Width(l.text, lf);
        int x = rect->left;
        if (format & DT_CENTER) x = rect->left + (width - w) / 2;
        if (format & DT_RIGHT) x = rect->right - w;
        Glyphs(*d, x, y, l.text, l.underline);
        y += lineH;
    }
    RestoreDC(hdc, saved);
    T().quiet--;
    std::string joined;
    for (const TextLine& l : lines) joined += (joined.empty() ? "" : "|") + WideToUtf8(l.text);
    Log(*d, "DrawText " + R(*rect) + " \"" + joined + "\"");
    int top = (format & DT_SINGLELINE) ? y - lineH : rect->top;
    return (format & (DT_VCENTER | DT_BOTTOM)) && (format & DT_SINGLELINE) ? top + lineH - rect->top : total;
}
