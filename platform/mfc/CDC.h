// The framework's graphics objects and device contexts over GDI.
#pragma once

#include <windows.h>

#include "CObject.h"
#include "CRect.h"
#include "CString.h"

class CWnd;

class CGdiObject : public CObject {
public:
    CGdiObject() = default;
    ~CGdiObject() override { DeleteObject(); }
    HGDIOBJ m_hObject = nullptr;
    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    BOOL Attach(HGDIOBJ h);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    int GetObject(int size, LPVOID buffer) const { return ::GetObjectW(m_hObject, size, buffer); }
    BOOL CreateStockObject(int index);
    // A wrapper for a handle the caller does not own; the framework keeps it.
    static CGdiObject* FromHandle(HGDIOBJ h);
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }
    BOOL CreatePen(int style, int width, COLORREF colour) { return Attach(::CreatePen(style, width, colour)); }
    operator HPEN() const { return reinterpret_cast<HPEN>(m_hObject); }
    static CPen* FromHandle(HPEN h);
};

class CBitmap;

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
    BOOL CreateSolidBrush(COLORREF colour) { return Attach(::CreateSolidBrush(colour)); }
    BOOL CreatePatternBrush(CBitmap* bitmap);
    BOOL CreateSysColorBrush(int index);
    operator HBRUSH() const { return reinterpret_cast<HBRUSH>(m_hObject); }
    static CBrush* FromHandle(HBRUSH h);
};

class CDC;

class CFont : public CGdiObject {
public:
    BOOL CreateFontIndirect(const LOGFONTW* lf) { return Attach(::CreateFontIndirectW(lf)); }
    // Height in tenths of a point, as the framework takes it.
    BOOL CreatePointFont(int pointSize, LPCWSTR face, CDC* dc = nullptr);
    int GetLogFont(LOGFONTW* lf) const { return ::GetObjectW(m_hObject, sizeof(LOGFONTW), lf); }
    operator HFONT() const { return reinterpret_cast<HFONT>(m_hObject); }
    static CFont* FromHandle(HFONT h);
};

class CBitmap : public CGdiObject {
public:
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bpp, const void* bits) {
        return Attach(::CreateBitmap(width, height, planes, bpp, bits));
    }
    // From the current resource module.
    BOOL LoadBitmap(UINT id);
    int GetBitmap(BITMAP* bm) const { return ::GetObjectW(m_hObject, sizeof(BITMAP), bm); }
    operator HBITMAP() const { return reinterpret_cast<HBITMAP>(m_hObject); }
    static CBitmap* FromHandle(HBITMAP h);
};

class CDC : public CObject {
public:
    CDC() = default;
    ~CDC() override;
    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;
    BOOL m_bPrinting = FALSE;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }
    BOOL Attach(HDC hdc);
    HDC Detach();
    static CDC* FromHandle(HDC hdc);
    BOOL CreateCompatibleDC(CDC* dc) { return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr)); }
    BOOL DeleteDC();
    BOOL IsPrinting() const { return m_bPrinting; }
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }

    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    CGdiObject* SelectObject(CGdiObject* object);
    CGdiObject* SelectStockObject(int index);
    CFont* GetCurrentFont() const { return CFont::FromHandle(reinterpret_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT))); }

    COLORREF SetTextColor(COLORREF c) { return ::SetTextColor(m_hDC, c); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    COLORREF SetBkColor(COLORREF c) { return ::SetBkColor(m_hDC, c); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    int GetBkMode() const { return ::GetBkMode(m_hDC); }
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
    CPoint GetWindowOrg() const;
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
    CPoint GetViewportOrg() const;
    CPoint OffsetViewportOrg(int dx, int dy);
    int SetMapMode(int mode) { return ::SetMapMode(m_hDC, mode); }
    int GetMapMode() const { return ::GetMapMode(m_hDC); }
    CSize SetWindowExt(int x, int y) { SIZE old{}; ::SetWindowExtEx(m_hDC, x, y, &old); return CSize(old.cx, old.cy); }
    CSize SetViewportExt(int x, int y) { SIZE old{}; ::SetViewportExtEx(m_hDC, x, y, &old); return CSize(old.cx, old.cy); }
    void LPtoDP(LPPOINT p, int count = 1) const { ::LPtoDP(m_hDC, p, count); }
    void DPtoLP(LPPOINT p, int count = 1) const { ::DPtoLP(m_hDC, p, count); }

    int GetClipBox(LPRECT r) const { return ::GetClipBox(m_hDC, r); }
    int IntersectClipRect(int l, int t, int r, int b) { return ::IntersectClipRect(m_hDC, l, t, r, b); }
    int IntersectClipRect(LPCRECT r) { return ::IntersectClipRect(m_hDC, r->left, r->top, r->right, r->bottom); }
    int ExcludeClipRect(int l, int t, int r, int b) { return ::ExcludeClipRect(m_hDC, l, t, r, b); }
    int ExcludeClipRect(LPCRECT r) { return ::ExcludeClipRect(m_hDC, r->left, r->top, r->right, r->bottom); }
    BOOL RectVisible(LPCRECT r) const { return ::RectVisible(m_hDC, r); }
    BOOL PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }

    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL LineTo(POINT p) { return ::LineTo(m_hDC, p.x, p.y); }
    void FillRect(LPCRECT r, CBrush* brush) { ::FillRect(m_hDC, r, reinterpret_cast<HBRUSH>(brush ? brush->m_hObject : nullptr)); }
    void FrameRect(LPCRECT r, CBrush* brush) { ::FrameRect(m_hDC, r, reinterpret_cast<HBRUSH>(brush ? brush->m_hObject : nullptr)); }
    // Fills with a colour; the background colour stays set to it.
    void FillSolidRect(LPCRECT r, COLORREF colour);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF colour);
    void Draw3dRect(LPCRECT r, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
    void InvertRect(LPCRECT r) { ::InvertRect(m_hDC, r); }
    BOOL Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
    BOOL Rectangle(LPCRECT r) { return ::Rectangle(m_hDC, r->left, r->top, r->right, r->bottom); }
    BOOL Ellipse(int l, int t, int r, int b) { return ::Ellipse(m_hDC, l, t, r, b); }
    BOOL Ellipse(LPCRECT r) { return ::Ellipse(m_hDC, r->left, r->top, r->right, r->bottom); }
    BOOL Polyline(const POINT* p, int n) { return ::Polyline(m_hDC, p, n); }
    BOOL Polygon(const POINT* p, int n) { return ::Polygon(m_hDC, p, n); }
    COLORREF SetPixel(int x, int y, COLORREF c) { return ::SetPixel(m_hDC, x, y, c); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    BOOL DrawEdge(LPRECT r, UINT edge, UINT flags) { return ::DrawEdge(m_hDC, r, edge, flags); }
    BOOL DrawFrameControl(LPRECT r, UINT type, UINT state) { return ::DrawFrameControl(m_hDC, r, type, state); }
    void DrawFocusRect(LPCRECT r) { ::DrawFocusRect(m_hDC, r); }
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
    BOOL PatBlt(int x, int y, int w, int h, DWORD rop) { return ::PatBlt(m_hDC, x, y, w, h, rop); }
    BOOL BitBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, DWORD rop) {
        return ::BitBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, sx, sy, rop);
    }
    BOOL StretchBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh, DWORD rop) {
        return ::StretchBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, sx, sy, sw, sh, rop);
    }

    int DrawText(LPCWSTR text, int count, LPRECT r, UINT format) { return ::DrawTextW(m_hDC, text, count, r, format); }
    int DrawText(const CString& text, LPRECT r, UINT format) { return ::DrawTextW(m_hDC, text, text.GetLength(), r, format); }
    BOOL TextOut(int x, int y, LPCWSTR text, int count) { return ::TextOutW(m_hDC, x, y, text, count); }
    BOOL TextOut(int x, int y, const CString& text) { return ::TextOutW(m_hDC, x, y, text, text.GetLength()); }
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT r, LPCWSTR text, UINT count, LPINT dx) {
        return ::ExtTextOutW(m_hDC, x, y, options, r, text, count, dx);
    }
    CSize GetTextExtent(LPCWSTR text, int count) const;
    CSize GetTextExtent(const CString& text) const { return GetTextExtent(text, text.GetLength()); }
    BOOL GetTextMetrics(LPTEXTMETRICW tm) const { return ::GetTextMetricsW(m_hDC, tm); }
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

protected:
    HWND m_hWnd;
};

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};

class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* wnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd;
};
