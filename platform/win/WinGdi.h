// GDI: device contexts for windows, memory bitmaps and the screen, with pens,
// brushes, fonts and bitmaps. Every context draws into an RGBA surface and
// keeps a log of its operations (vplat::GdiLog). Text is measured by the fixed
// metric model of docs/text-metrics.md.
#pragma once

#include <string>
#include <vector>

#include "WinGeometry.h"

#define LF_FACESIZE 32

struct LOGFONTW {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    WCHAR lfFaceName[LF_FACESIZE];
};
typedef LOGFONTW LOGFONT;
typedef LOGFONTW* LPLOGFONTW;

struct TEXTMETRICW {
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    WCHAR tmFirstChar;
    WCHAR tmLastChar;
    WCHAR tmDefaultChar;
    WCHAR tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
};
typedef TEXTMETRICW TEXTMETRIC;
typedef TEXTMETRICW* LPTEXTMETRICW;
typedef int* LPINT;

struct LOGPEN {
    UINT lopnStyle;
    POINT lopnWidth;
    COLORREF lopnColor;
};
struct LOGBRUSH {
    UINT lbStyle;
    COLORREF lbColor;
    ULONG_PTR lbHatch;
};
struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
};

#define FW_DONTCARE 0
#define FW_THIN 100
#define FW_LIGHT 300
#define FW_NORMAL 400
#define FW_MEDIUM 500
#define FW_SEMIBOLD 600
#define FW_BOLD 700
#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define SYMBOL_CHARSET 2
#define OUT_DEFAULT_PRECIS 0
#define CLIP_DEFAULT_PRECIS 0
#define DEFAULT_QUALITY 0
#define DEFAULT_PITCH 0
#define FF_DONTCARE 0
#define FF_SWISS 0x20

#define PS_SOLID 0
#define PS_DASH 1
#define PS_DOT 2
#define PS_NULL 5
#define PS_INSIDEFRAME 6
#define BS_SOLID 0
#define BS_NULL 1
#define BS_HOLLOW BS_NULL
#define BS_HATCHED 2
#define BS_PATTERN 3

#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define SYSTEM_FONT 13
#define DEFAULT_GUI_FONT 17
#define DC_BRUSH 18
#define DC_PEN 19

#define TRANSPARENT 1
#define OPAQUE 2

#define SRCCOPY 0x00CC0020u
#define SRCPAINT 0x00EE0086u
#define SRCAND 0x008800C6u
#define SRCINVERT 0x00660046u
#define PATCOPY 0x00F00021u
#define PATINVERT 0x005A0049u
#define DSTINVERT 0x00550009u
#define BLACKNESS 0x00000042u
#define WHITENESS 0x00FF0062u

#define LOGPIXELSX 88
#define LOGPIXELSY 90
#define HORZRES 8
#define VERTRES 10
#define BITSPIXEL 12
#define TECHNOLOGY 2
#define DT_RASDISPLAY 1
#define DT_RASPRINTER 2

// DrawText formats.
#define DT_TOP 0x00000000u
#define DT_LEFT 0x00000000u
#define DT_CENTER 0x00000001u
#define DT_RIGHT 0x00000002u
#define DT_VCENTER 0x00000004u
#define DT_BOTTOM 0x00000008u
#define DT_WORDBREAK 0x00000010u
#define DT_SINGLELINE 0x00000020u
#define DT_EXPANDTABS 0x00000040u
#define DT_NOCLIP 0x00000100u
#define DT_CALCRECT 0x00000400u
#define DT_NOPREFIX 0x00000800u
#define DT_EDITCONTROL 0x00002000u
#define DT_PATH_ELLIPSIS 0x00004000u
#define DT_END_ELLIPSIS 0x00008000u
#define DT_MODIFYSTRING 0x00010000u
#define DT_WORD_ELLIPSIS 0x00040000u
#define DT_HIDEPREFIX 0x00100000u

// DrawEdge.
#define BDR_RAISEDOUTER 0x0001u
#define BDR_SUNKENOUTER 0x0002u
#define BDR_RAISEDINNER 0x0004u
#define BDR_SUNKENINNER 0x0008u
#define EDGE_RAISED (BDR_RAISEDOUTER | BDR_RAISEDINNER)
#define EDGE_SUNKEN (BDR_SUNKENOUTER | BDR_SUNKENINNER)
#define EDGE_ETCHED (BDR_SUNKENOUTER | BDR_RAISEDINNER)
#define EDGE_BUMP (BDR_RAISEDOUTER | BDR_SUNKENINNER)
#define BF_LEFT 0x0001u
#define BF_TOP 0x0002u
#define BF_RIGHT 0x0004u
#define BF_BOTTOM 0x0008u
#define BF_RECT (BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM)
#define BF_MIDDLE 0x0800u
#define BF_SOFT 0x1000u
#define BF_ADJUST 0x2000u
#define BF_FLAT 0x4000u
#define BF_MONO 0x8000u

// DrawFrameControl.
#define DFC_CAPTION 1
#define DFC_MENU 2
#define DFC_SCROLL 3
#define DFC_BUTTON 4
#define DFCS_CAPTIONCLOSE 0x0000u
#define DFCS_SCROLLUP 0x0000u
#define DFCS_SCROLLDOWN 0x0001u
#define DFCS_SCROLLLEFT 0x0002u
#define DFCS_SCROLLRIGHT 0x0003u
#define DFCS_SCROLLCOMBOBOX 0x0005u
#define DFCS_BUTTONCHECK 0x0000u
#define DFCS_BUTTONRADIO 0x0004u
#define DFCS_BUTTONPUSH 0x0010u
#define DFCS_INACTIVE 0x0100u
#define DFCS_PUSHED 0x0200u
#define DFCS_CHECKED 0x0400u
#define DFCS_FLAT 0x4000u

#define NULLREGION 1
#define SIMPLEREGION 2
#define COMPLEXREGION 3
#define ERROR 0
#define RGN_AND 1
#define RGN_COPY 5

#define OBJ_PEN 1
#define OBJ_BRUSH 2
#define OBJ_DC 3
#define OBJ_FONT 6
#define OBJ_BITMAP 7
#define OBJ_MEMDC 10

extern "C" {
// Device contexts.
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC hdc);
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);
int SaveDC(HDC hdc);
BOOL RestoreDC(HDC hdc, int saved);
int GetDeviceCaps(HDC hdc, int index);
HWND WindowFromDC(HDC hdc);

// Objects.
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);
HGDIOBJ GetStockObject(int index);
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);
int GetObjectW(HGDIOBJ object, int size, LPVOID buffer);
DWORD GetObjectType(HGDIOBJ object);
HPEN CreatePen(int style, int width, COLORREF colour);
HPEN CreatePenIndirect(const LOGPEN* pen);
HBRUSH CreateSolidBrush(COLORREF colour);
HBRUSH CreateBrushIndirect(const LOGBRUSH* brush);
HBRUSH CreatePatternBrush(HBITMAP bitmap);
HFONT CreateFontIndirectW(const LOGFONTW* font);
HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                  DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                  DWORD pitchAndFamily, LPCWSTR face);
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);

// State.
COLORREF SetTextColor(HDC hdc, COLORREF colour);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF colour);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
COLORREF SetDCBrushColor(HDC hdc, COLORREF colour);
BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT old);
BOOL GetWindowOrgEx(HDC hdc, LPPOINT org);
BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT old);
BOOL GetViewportOrgEx(HDC hdc, LPPOINT org);
BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, LPPOINT old);
#define MM_TEXT 1
#define MM_ANISOTROPIC 8
// MM_TEXT (one logical unit a pixel) or MM_ANISOTROPIC (window extent mapped to
// viewport extent); other modes are refused. Setting MM_TEXT resets the extents.
int SetMapMode(HDC hdc, int mode);
int GetMapMode(HDC hdc);
// The extents count only in MM_ANISOTROPIC; a zero extent is refused.
BOOL SetWindowExtEx(HDC hdc, int x, int y, LPSIZE old);
BOOL SetViewportExtEx(HDC hdc, int x, int y, LPSIZE old);
BOOL LPtoDP(HDC hdc, LPPOINT points, int count);
BOOL DPtoLP(HDC hdc, LPPOINT points, int count);

// Clipping.
int GetClipBox(HDC hdc, LPRECT rect);
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);
int SelectClipRgn(HDC hdc, HRGN region);
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
BOOL PtVisible(HDC hdc, int x, int y);
BOOL RectVisible(HDC hdc, const RECT* rect);

// Drawing.
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush);
BOOL InvertRect(HDC hdc, const RECT* rect);
BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT old);
BOOL LineTo(HDC hdc, int x, int y);
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom);
BOOL Polyline(HDC hdc, const POINT* points, int count);
BOOL Polygon(HDC hdc, const POINT* points, int count);
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF colour);
COLORREF GetPixel(HDC hdc, int x, int y);
BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop);
BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, DWORD rop);
BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, int sw, int sh, DWORD rop);
BOOL DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags);
BOOL DrawFrameControl(HDC hdc, LPRECT rect, UINT type, UINT state);
BOOL DrawFocusRect(HDC hdc, const RECT* rect);
BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH flicker, UINT flags);
BOOL DrawIcon(HDC hdc, int x, int y, HICON icon);

// Text.
BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR text, int count);
BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count, const INT* dx);
int DrawTextW(HDC hdc, LPCWSTR text, int count, LPRECT rect, UINT format);
BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR text, int count, LPSIZE size);
BOOL GetTextMetricsW(HDC hdc, TEXTMETRICW* metrics);
int GetTextFaceW(HDC hdc, int size, LPWSTR face);
UINT SetTextAlign(HDC hdc, UINT align);

// Fonts of the system: a fixed list of families (docs/text-metrics.md).
typedef int (*FONTENUMPROCW)(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD fontType, LPARAM lParam);
// Calls the procedure once for every family whose face matches lfFaceName (without
// regard to case; every family for an empty face) and whose character set matches
// lfCharSet (DEFAULT_CHARSET: any); stops when it answers 0. Answers the last answer,
// 1 when nothing matched.
int EnumFontFamiliesExW(HDC hdc, LPLOGFONTW font, FONTENUMPROCW proc, LPARAM lParam, DWORD flags);
// The character set of the font selected into the context (ANSI_CHARSET for the
// screen's system font and for a font asking DEFAULT_CHARSET).
int GetTextCharset(HDC hdc);
}

#define ETO_OPAQUE 0x0002u
#define ETO_CLIPPED 0x0004u
#define TA_LEFT 0u
#define TA_TOP 0u
#define DI_NORMAL 0x0003u
#define GetObject GetObjectW
#define CreateFontIndirect CreateFontIndirectW
#define CreateFont CreateFontW
#define TextOut TextOutW
#define ExtTextOut ExtTextOutW
#define DrawText DrawTextW
#define GetTextExtentPoint32 GetTextExtentPoint32W
#define GetTextMetrics GetTextMetricsW
#define GetTextFace GetTextFaceW
#define EnumFontFamiliesEx EnumFontFamiliesExW
#define RASTER_FONTTYPE 0x0001u
#define TRUETYPE_FONTTYPE 0x0004u

namespace vplat {

// The operations drawn on every context, in order: "target: operation".
// The target is "window <class> <id or text>", "bitmap WxH" or "screen".
class GdiLog {
public:
    static void Enable(bool on);
    static void Clear();
    static const std::vector<std::string>& Entries();
    // Entries whose text contains a fragment.
    static std::vector<std::string> Matching(const std::string& fragment);
};

// The fixed text metric model (docs/text-metrics.md).
class TextMetrics {
public:
    // The em height in pixels of a logical font height (negative: character
    // height, positive: cell height, 0: the default 11).
    static int EmOf(LONG lfHeight);
    static int CharWidth(wchar_t c, int em, bool bold);
    static SIZE Extent(const std::wstring& text, const LOGFONTW& font);
    static TEXTMETRICW Metrics(const LOGFONTW& font);
};

// Renders a window with its children, frame included, to a PNG file.
bool SnapshotWindow(HWND hwnd, const std::string& pngPath);
// The colour of one pixel of a window as the snapshot shows it (tests).
COLORREF SnapshotPixel(HWND hwnd, int x, int y);
// Bitmaps made and not yet deleted (tests look for leaks with it).
int LiveBitmaps();

}  // namespace vplat
