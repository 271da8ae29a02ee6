#include "GridCellBase.h"

#include <algorithm>

#include "GridCtrl.h"

IMPLEMENT_DYNAMIC(CGridCellBase, CObject)

CGridDefaultCell* CGridCellBase::DefaultsCell() const {
    CGridCtrl* grid = OwnerGrid();
    if (!grid) return nullptr;
    return grid->DefaultCellFor(IsHeaderRow(), IsHeaderColumn());
}

CGridCellBase& CGridCellBase::operator=(const CGridCellBase& other) {
    if (this == &other) return *this;
    AttachGrid(other.OwnerGrid());
    SetText(other.GetText());
    SetImage(other.GetImage());
    SetData(other.GetData());
    SetState(other.GetState());
    SetFormat(other.GetFormat());
    SetTextColour(other.TextColour());
    SetBackColour(other.BackColour());
    SetFont(other.UsesDefaultFont() ? nullptr : other.GetFont());
    SetMargin(other.GetMargin());
    return *this;
}

bool CGridCellBase::ImageSize(CSize* size) const {
    CGridCtrl* grid = OwnerGrid();
    IMAGEINFO info{};
    if (!grid || !grid->GetImageList() || GetImage() < 0 || !grid->GetImageList()->GetImageInfo(GetImage(), &info))
        return false;
    *size = CSize(info.rcImage.right - info.rcImage.left, info.rcImage.bottom - info.rcImage.top);
    return true;
}

namespace {

// A one-pixel outline of the sort arrow's triangle.
void Triangle(CDC* dc, const POINT (&p)[3], COLORREF colour) {
    CPen pen(PS_SOLID, 1, colour);
    CPen* old = dc->SelectObject(&pen);
    dc->MoveTo(p[0]);
    dc->LineTo(p[1]);
    dc->LineTo(p[2]);
    dc->LineTo(p[0]);
    dc->SelectObject(old);
}

void Fill(CDC* dc, const CRect& exclusive, COLORREF colour) {
    CBrush brush;
    if (brush.CreateSolidBrush(colour)) dc->FillRect(exclusive, &brush);
}

}  // namespace

BOOL CGridCellBase::Draw(CDC* dc, int row, int col, CRect rect, BOOL eraseBkgnd) {
    CGridCtrl* grid = OwnerGrid();
    if (!grid || !dc || rect.Width() <= 0 || rect.Height() <= 0) return FALSE;
    int saved = dc->SaveDC();
    dc->SetBkMode(TRANSPARENT);

    CGridDefaultCell* def = DefaultsCell();
    if (!def) {
        dc->RestoreDC(saved);
        return FALSE;
    }
    COLORREF text = TextColour() == CLR_DEFAULT ? def->TextColour() : TextColour();
    COLORREF back = def->BackColour();
    if (BackColour() != CLR_DEFAULT) {
        back = BackColour();
        eraseBkgnd = TRUE;
    }

    // Background and text colour.
    if (!IsFocused() && !IsDropTarget()) {
        if (IsSelected()) {
            Fill(dc, InclusiveToExclusive(rect), GetSysColor(COLOR_HIGHLIGHT));
            dc->SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
        } else {
            if (eraseBkgnd) Fill(dc, InclusiveToExclusive(rect), back);
            dc->SetTextColor(text);
        }
    } else {
        if (IsSelected()) {
            back = GetSysColor(COLOR_HIGHLIGHT);
            text = GetSysColor(COLOR_HIGHLIGHTTEXT);
            eraseBkgnd = TRUE;
        }
        rect = InclusiveToExclusive(rect);
        if (eraseBkgnd) Fill(dc, rect, back);
        bool lines = grid->GetLineMode() != 0;
        if (lines) rect.DeflateRect(0, 0, 1, 1);
        if (grid->frameFocusCell) {
            CBrush frame(text);
            dc->FrameRect(rect, &frame);
        }
        dc->SetTextColor(text);
        if (!lines) rect.DeflateRect(0, 0, 1, 1);
    }

    // Edges of a fixed cell.
    if (IsHeader() && grid->GetLineMode() != 0) {
        CCellID focus = grid->GetFocusCell();
        if (grid->trackFocusInHeaders && grid->IsInside(focus) && (focus.row == row || focus.col == col)) {
            CRect edge = InclusiveToExclusive(rect);
            dc->DrawEdge(edge, BDR_SUNKENINNER, BF_RECT);
        } else {
            CPen light(PS_SOLID, 1, GetSysColor(COLOR_3DHIGHLIGHT));
            CPen dark(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW));
            CPen* old = dc->SelectObject(&light);
            dc->MoveTo(rect.right, rect.top);
            dc->LineTo(rect.left, rect.top);
            dc->LineTo(rect.left, rect.bottom);
            dc->SelectObject(&dark);
            dc->MoveTo(rect.right, rect.top);
            dc->LineTo(rect.right, rect.bottom);
            dc->LineTo(rect.left, rect.bottom);
            dc->SelectObject(old);
        }
        rect.DeflateRect(1, 1);
    }

    if (!dc->IsPrinting())
        if (CFont* font = FontHandle()) dc->SelectObject(font);

    int margin = GetMargin();
    const CRect inside = rect;  // within the edges, before the margins
    rect.DeflateRect(margin, margin);
    rect.InflateRect(0, 0, 1, 1);

    CSize image;
    if (ImageSize(&image) && image.cx <= rect.Width() && image.cy <= rect.Height())
        grid->GetImageList()->Draw(dc, GetImage(), rect.TopLeft(), ILD_NORMAL);

    // The sort arrow in the header of the sort column. A row or font too small
    // for it (s <= 0) gets none rather than an arrow drawn inside out.
    if (row == 0 && col == grid->GetSortColumn()) {
        int s = dc->GetTextExtent(L"M", 1).cy - 4;
        if (s >= rect.Height()) s = rect.Height() - 4;
        const LOGFONTW* lf = GetFont();
        bool upright = lf && lf->lfEscapement == 900;
        if (s > 0 && s + rect.left < rect.right) {
            int y = rect.bottom - s - 2;
            int x = upright ? (rect.left + rect.right - s) / 2 : rect.right - s;
            POINT shape[3];
            if (grid->GetSortAscending()) {
                shape[0] = POINT{x + s / 2, y};
                shape[1] = POINT{x, y + s};
                shape[2] = POINT{x + s, y + s};
            } else {
                shape[0] = POINT{x, y};
                shape[1] = POINT{x + s, y};
                shape[2] = POINT{x + s / 2, y + s};
            }
            POINT offset[3];
            for (int i = 0; i < 3; ++i) offset[i] = POINT{shape[i].x + 1, shape[i].y + 1};
            Triangle(dc, offset, GetSysColor(COLOR_3DHIGHLIGHT));
            Triangle(dc, shape, GetSysColor(COLOR_3DSHADOW));
            if (!upright) rect.right -= s;
        }
    }

    TextArea(rect);
    rect.InflateRect(0, 0, 1, 1);
    // The margins above and below give way before the text does: a row too
    // low for both keeps a line of text whole, its descenders included.
    TEXTMETRICW tm{};
    dc->GetTextMetrics(&tm);
    const int missing = std::min(static_cast<int>(tm.tmHeight) - rect.Height(), 2 * std::max(margin, 0));
    if (missing > 0) {
        rect.top = std::max(rect.top - missing / 2, inside.top);
        rect.bottom = std::min(rect.bottom + missing - missing / 2, inside.bottom + 1);
    }
    dc->DrawText(GetText(), -1, rect, static_cast<UINT>(GetFormat()) | DT_NOPREFIX);

    dc->RestoreDC(saved);
    return TRUE;
}

BOOL CGridCellBase::TextArea(LPRECT rect) {
    CSize image;
    if (ImageSize(&image)) rect->left += image.cx + GetMargin() + 1;
    return TRUE;
}

BOOL CGridCellBase::TitleTipArea(LPRECT rect) { return CGridCellBase::TextArea(rect); }

CSize CGridCellBase::TextSize(LPCWSTR text, CDC* dc) {
    CGridDefaultCell* def = DefaultsCell();
    if (!def) return CSize(0, 0);
    HDC own = nullptr;
    HWND window = nullptr;
    CDC owned;
    if (!dc) {
        if (!text || !*text) return CSize(def->GetWidth(), def->GetHeight());
        window = OwnerGrid() ? OwnerGrid()->GetSafeHwnd() : nullptr;
        own = ::GetDC(window);
        if (!own) return CSize(def->GetWidth(), def->GetHeight());
        owned.Attach(own);
        dc = &owned;
    }
    CFont* font = FontHandle();
    CFont* old = font ? dc->SelectObject(font) : nullptr;
    if (!text) text = L"";
    CSize size;
    int format = GetFormat();
    if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) {
        // Lines break at line feeds; the widest sets the width the layout may use.
        int widest = 0;
        const wchar_t* start = text;
        for (const wchar_t* p = text;; ++p) {
            if (*p == L'\n' || !*p) {
                widest = std::max(widest, static_cast<int>(dc->GetTextExtent(start, static_cast<int>(p - start)).cx));
                if (!*p) break;
                start = p + 1;
            }
        }
        CRect r(0, 0, widest + 1, 0);
        dc->DrawText(text, -1, r, static_cast<UINT>(format) | DT_CALCRECT);
        size = r.Size();
    } else {
        size = dc->GetTextExtent(text, static_cast<int>(std::wcslen(text)));
    }
    if (old) dc->SelectObject(old);
    int margin = GetMargin();
    size.cx += 2 * margin;
    size.cy += 2 * margin;
    const LOGFONTW* lf = GetFont();
    if (lf && (lf->lfEscapement == 900 || lf->lfEscapement == -900)) {
        int width = size.cx;
        size.cx = size.cy;
        size.cy = width + 4 * margin;
    }
    if (own) ::ReleaseDC(window, owned.Detach());
    return size;
}

CSize CGridCellBase::NeededSize(CDC* dc) {
    CSize size = TextSize(GetText(), dc);
    CSize image;
    if (ImageSize(&image)) {
        int margin = GetMargin();
        if (2 * margin < size.cx) size.cx += margin;
        size.cx += image.cx;
        size.cy = std::max(static_cast<int>(size.cy), static_cast<int>(image.cy) + 2 * margin);
    }
    size.cx += 1;
    size.cy += 1;
    if (IsHeader()) {
        size.cx += 1;
        size.cy += 1;
    }
    return size;
}

BOOL CGridCellBase::Edit(int, int, CRect, CPoint, UINT, UINT) { return FALSE; }
BOOL CGridCellBase::CheckEdit(LPCWSTR) { return TRUE; }
// The cell on paper: no selection or focus, colours only when the grid prints
// them (a body cell's own back colour only where it differs from the default's).
BOOL CGridCellBase::PrintContent(CDC* dc, int row, int col, CRect rect) {
    CGridCtrl* grid = OwnerGrid();
    CGridDefaultCell* def = DefaultsCell();
    if (!grid || !def || !dc || rect.Width() < 0 || rect.Height() < 0) return FALSE;
    (void)row;
    (void)col;
    int saved = dc->SaveDC();
    dc->SetBkMode(TRANSPARENT);
    if (grid->GetPrintColours()) {
        COLORREF back = BackColour();
        if (IsHeader())
            Fill(dc, InclusiveToExclusive(rect), back == CLR_DEFAULT ? def->BackColour() : back);
        else if (back != CLR_DEFAULT && back != grid->DefaultCellFor(FALSE, FALSE)->BackColour())
            Fill(dc, InclusiveToExclusive(rect), back);
        dc->SetTextColor(TextColour() == CLR_DEFAULT ? def->TextColour() : TextColour());
    } else {
        dc->SetTextColor(RGB(0, 0, 0));
    }
    if (IsHeader() && grid->GetLineMode() != 0) {
        CRect edge = InclusiveToExclusive(rect);
        dc->DrawEdge(edge, BDR_RAISEDINNER, BF_RECT);
        rect.DeflateRect(1, 1);
    }
    int margin = GetMargin();
    rect.DeflateRect(margin, margin);
    rect.InflateRect(0, 0, 1, 1);
    CSize image;
    if (ImageSize(&image) && image.cx <= rect.Width() && image.cy <= rect.Height())
        grid->GetImageList()->Draw(dc, GetImage(), rect.TopLeft(), ILD_NORMAL);
    TextArea(rect);
    dc->DrawText(GetText(), -1, rect, static_cast<UINT>(GetFormat()) | DT_NOPREFIX);
    dc->RestoreDC(saved);
    return TRUE;
}
void CGridCellBase::OnClick(CPoint) {}
void CGridCellBase::PressDown(CPoint) {}
void CGridCellBase::RightClick(CPoint) {}
void CGridCellBase::OnDblClick(CPoint) {}

BOOL CGridCellBase::OnSetCursor() {
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    return TRUE;
}

LRESULT CGridCellBase::NotifyGridOwner(int row, int col, UINT code) {
    CGridCtrl* grid = OwnerGrid();
    return grid ? grid->NotifyOwner(row, col, code) : 0;
}
