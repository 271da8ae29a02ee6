#include "CDC.h"

#include <memory>
#include <unordered_map>

#include "AfxModule.h"
#include "CWnd.h"

namespace {

// Wrappers the framework makes for handles it does not own; they never
// delete their object.
template <typename T, typename H>
T* Temporary(H h) {
    static std::unordered_map<H, std::unique_ptr<T>> map;
    if (!h) return nullptr;
    auto& slot = map[h];
    if (!slot) {
        slot = std::make_unique<T>();
        slot->Attach(h);
    }
    return slot.get();
}

// A temporary of the wrapper's own class, so its object is what it says.
template <typename T>
struct Temp : T {
    ~Temp() override { this->Detach(); }
};

}  // namespace

BOOL CGdiObject::Attach(HGDIOBJ h) {
    if (!h) return FALSE;
    m_hObject = h;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject) return FALSE;
    return ::DeleteObject(Detach());
}

BOOL CGdiObject::CreateStockObject(int index) { return Attach(::GetStockObject(index)); }

CGdiObject* CGdiObject::FromHandle(HGDIOBJ h) { return Temporary<Temp<CGdiObject>>(h); }
CPen* CPen::FromHandle(HPEN h) { return Temporary<Temp<CPen>>(static_cast<HGDIOBJ>(h)); }
CBrush* CBrush::FromHandle(HBRUSH h) { return Temporary<Temp<CBrush>>(static_cast<HGDIOBJ>(h)); }
CFont* CFont::FromHandle(HFONT h) { return Temporary<Temp<CFont>>(static_cast<HGDIOBJ>(h)); }
CBitmap* CBitmap::FromHandle(HBITMAP h) { return Temporary<Temp<CBitmap>>(static_cast<HGDIOBJ>(h)); }

BOOL CBrush::CreatePatternBrush(CBitmap* bitmap) {
    return Attach(::CreatePatternBrush(reinterpret_cast<HBITMAP>(bitmap->m_hObject)));
}

BOOL CBrush::CreateSysColorBrush(int index) { return Attach(::CreateSolidBrush(::GetSysColor(index))); }

BOOL CFont::CreatePointFont(int pointSize, LPCWSTR face, CDC*) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(pointSize, 96, 720);
    lf.lfWeight = FW_NORMAL;
    if (face) std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
    return Attach(::CreateCompatibleBitmap(dc ? dc->m_hDC : nullptr, width, height));
}

BOOL CBitmap::LoadBitmap(UINT id) { return Attach(::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id))); }

CDC::~CDC() {
    if (m_hDC) ::DeleteDC(Detach());
}

BOOL CDC::Attach(HDC hdc) {
    if (!hdc) return FALSE;
    m_hDC = m_hAttribDC = hdc;
    return TRUE;
}

HDC CDC::Detach() {
    HDC h = m_hDC;
    m_hDC = m_hAttribDC = nullptr;
    return h;
}

CDC* CDC::FromHandle(HDC hdc) { return Temporary<Temp<CDC>>(hdc); }

BOOL CDC::DeleteDC() {
    if (!m_hDC) return FALSE;
    return ::DeleteDC(Detach());
}

CPen* CDC::SelectObject(CPen* pen) {
    if (!pen) return nullptr;
    return CPen::FromHandle(reinterpret_cast<HPEN>(::SelectObject(m_hDC, pen->m_hObject)));
}
CBrush* CDC::SelectObject(CBrush* brush) {
    if (!brush) return nullptr;
    return CBrush::FromHandle(reinterpret_cast<HBRUSH>(::SelectObject(m_hDC, brush->m_hObject)));
}
CFont* CDC::SelectObject(CFont* font) {
    if (!font) return nullptr;
    return CFont::FromHandle(reinterpret_cast<HFONT>(::SelectObject(m_hDC, font->m_hObject)));
}
CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    if (!bitmap) return nullptr;
    return CBitmap::FromHandle(reinterpret_cast<HBITMAP>(::SelectObject(m_hDC, bitmap->m_hObject)));
}
CGdiObject* CDC::SelectObject(CGdiObject* object) {
    if (!object) return nullptr;
    return CGdiObject::FromHandle(::SelectObject(m_hDC, object->m_hObject));
}
CGdiObject* CDC::SelectStockObject(int index) { return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(index))); }

CPoint CDC::SetWindowOrg(int x, int y) {
    POINT old{};
    ::SetWindowOrgEx(m_hDC, x, y, &old);
    return old;
}
CPoint CDC::GetWindowOrg() const {
    POINT p{};
    ::GetWindowOrgEx(m_hDC, &p);
    return p;
}
CPoint CDC::SetViewportOrg(int x, int y) {
    POINT old{};
    ::SetViewportOrgEx(m_hDC, x, y, &old);
    return old;
}
CPoint CDC::GetViewportOrg() const {
    POINT p{};
    ::GetViewportOrgEx(m_hDC, &p);
    return p;
}
CPoint CDC::OffsetViewportOrg(int dx, int dy) {
    POINT old{};
    ::OffsetViewportOrgEx(m_hDC, dx, dy, &old);
    return old;
}

CPoint CDC::MoveTo(int x, int y) {
    POINT old{};
    ::MoveToEx(m_hDC, x, y, &old);
    return old;
}

void CDC::FillSolidRect(LPCRECT r, COLORREF colour) {
    ::SetBkColor(m_hDC, colour);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, r, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF colour) {
    RECT r{x, y, x + cx, y + cy};
    FillSolidRect(&r, colour);
}

void CDC::Draw3dRect(LPCRECT r, COLORREF topLeft, COLORREF bottomRight) {
    Draw3dRect(r->left, r->top, r->right - r->left, r->bottom - r->top, topLeft, bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) {
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(x + cx, y, -1, cy, bottomRight);
    FillSolidRect(x, y + cy, cx, -1, bottomRight);
}

CSize CDC::GetTextExtent(LPCWSTR text, int count) const {
    SIZE s{};
    ::GetTextExtentPoint32W(m_hDC, text, count, &s);
    return s;
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd->m_hWnd) { Attach(::BeginPaint(m_hWnd, &m_ps)); }
CPaintDC::~CPaintDC() {
    Detach();
    ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) { Attach(::GetDC(m_hWnd)); }
CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) { Attach(::GetWindowDC(m_hWnd)); }
CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }
