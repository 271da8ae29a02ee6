// The cells: default sizes from fonts, measuring, drawing, check boxes.
#include "GridFixture.h"

namespace {

class GridCell : public GridFixture {};

LOGFONTW Font(LONG height, LONG escapement = 0) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfEscapement = escapement;
    lf.lfWeight = FW_NORMAL;
    std::wcscpy(lf.lfFaceName, L"Segoe UI");
    return lf;
}

}  // namespace

// With the metric model: " " is 5 wide at em 12 and 13, " XXXXXXXXXXXX " 106;
// the default height is one and a half text heights.
TEST_F(GridCell, DefaultSizesFollowTheFont) {
    CGridDefaultCell def;
    EXPECT_EQ(std::wstring(def.GetFont()->lfFaceName), L"Segoe UI");
    EXPECT_EQ(def.GetFont()->lfHeight, -12);
    struct Case {
        LONG height;
        int margin, width, cellHeight;
    } cases[] = {{-12, 5, 106, 21}, {-13, 5, 106, 24}, {-11, 4, 92, 19}};
    for (const Case& c : cases) {
        LOGFONTW lf = Font(c.height);
        def.SetFont(&lf);
        EXPECT_EQ(def.GetMargin(), c.margin) << c.height;
        EXPECT_EQ(def.GetWidth(), c.width) << c.height;
        EXPECT_EQ(def.GetHeight(), c.cellHeight) << c.height;
    }
    def.SetFont(nullptr);  // ignored
    EXPECT_EQ(def.GetHeight(), 19);
}

TEST_F(GridCell, TheDialogFontReachesEveryDefaultCell) {
    CGridCtrl grid(3, 3, 1, 1);
    GridHost host(grid, 300, 100);
    EXPECT_EQ(grid.DefaultCellFor(FALSE, FALSE)->GetMargin(), 5);
    CFont dialogFont;
    dialogFont.CreatePointFont(80, L"MS Shell Dlg");
    grid.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont.m_hObject), 0);
    for (auto [fixedRow, fixedCol] : {std::pair{FALSE, FALSE}, {FALSE, TRUE}, {TRUE, FALSE}, {TRUE, TRUE}}) {
        CGridDefaultCell* def = grid.DefaultCellFor(fixedRow, fixedCol);
        EXPECT_EQ(def->GetMargin(), 4);
        EXPECT_EQ(CSize(def->GetWidth(), def->GetHeight()), CSize(92, 19));
    }
    HFONT font = reinterpret_cast<HFONT>(grid.SendMessage(WM_GETFONT));
    LOGFONTW lf;
    ASSERT_TRUE(::GetObjectW(font, sizeof lf, &lf));
    EXPECT_EQ(lf.lfHeight, -11);
}

TEST_F(GridCell, DefaultCellsAreReadOnlyAndKeepNoState) {
    CGridDefaultCell def;
    def.SetState(CELL_SELECTED);
    def.SetData(7);
    EXPECT_EQ(def.GetState(), CELL_READONLY);
    EXPECT_TRUE(def.IsReadOnly());
    EXPECT_EQ(def.GetData(), 0);
    EXPECT_EQ(def.GetFormat(), 0x8824);
}

TEST_F(GridCell, MeasuringText) {
    CGridCtrl grid(2, 2);
    CGridCellBase* cell = grid.CellAt(1, 1);
    CGridDefaultCell* def = grid.DefaultCellFor(FALSE, FALSE);
    LOGFONTW lf = Font(-11);
    def->SetFont(&lf);
    int m = def->GetMargin();
    // Without text and context: the default size, not the margins.
    EXPECT_EQ(cell->TextSize(L""), CSize(def->GetWidth(), def->GetHeight()));
    EXPECT_EQ(cell->TextSize(L"Ok"), CSize(12 + 2 * m, 13 + 2 * m));
    // Word wrapping: the longer second line sets the width, two lines the height.
    cell->SetFormat(DT_WORDBREAK | DT_LEFT);
    EXPECT_EQ(cell->TextSize(L"ab\nabcdefgh"), CSize(39 + 2 * m, 2 * 13 + 2 * m));  // "f" is 4 wide
    // Turned text measures across.
    LOGFONTW upright = Font(-11, 900);
    cell->SetFormat(DT_SINGLELINE);
    cell->SetFont(&upright);
    EXPECT_EQ(cell->TextSize(L"Ok"), CSize(13 + 2 * m, 12 + 2 * m + 4 * m));
    // Needed size: one more each way, and one more again for a fixed cell.
    cell->SetFont(nullptr);
    cell->SetText(L"Ok");
    EXPECT_EQ(cell->NeededSize(), CSize(12 + 2 * m + 1, 13 + 2 * m + 1));
    grid.SetHeaderRows(1);
    CGridCellBase* header = grid.CellAt(0, 1);
    header->SetText(L"Ok");
    CSize text = header->TextSize(L"Ok");
    EXPECT_EQ(header->NeededSize(), CSize(text.cx + 2, text.cy + 2));
}

TEST_F(GridCell, OwnFontsShareOneFontObject) {
    CGridCtrl grid(2, 2);
    LOGFONTW big = Font(-20), small = Font(-9);
    grid.SetCellFont(0, 0, &big);
    grid.SetCellFont(1, 1, &small);
    CFont* first = grid.CellAt(0, 0)->FontHandle();
    CFont* second = grid.CellAt(1, 1)->FontHandle();
    EXPECT_EQ(first, second);
    LOGFONTW now;
    first->GetLogFont(&now);
    EXPECT_EQ(now.lfHeight, -9);  // the first result now holds the second cell's font
    EXPECT_EQ(grid.CellAt(0, 1)->FontHandle(), grid.DefaultCellFor(FALSE, FALSE)->FontHandle());
}

TEST_F(GridCell, CopyingACellTakesEveryAttribute) {
    CGridCtrl grid(2, 2);
    CGridCell source;
    source.AttachGrid(&grid);
    source.SetText(L"testo");
    source.SetImage(3);
    source.SetData(99);
    source.SetState(CELL_READONLY);
    source.SetFormat(DT_RIGHT);
    source.SetTextColour(RGB(1, 1, 1));
    source.SetBackColour(RGB(2, 2, 2));
    LOGFONTW lf = Font(-14);
    source.SetFont(&lf);
    source.SetMargin(9);
    CGridCellCheck copy;
    static_cast<CGridCellBase&>(copy) = source;
    EXPECT_EQ(std::wstring(copy.GetText()), L"testo");
    EXPECT_EQ(copy.GetImage(), 3);
    EXPECT_EQ(copy.GetData(), 99);
    EXPECT_EQ(copy.GetState(), CELL_READONLY);
    EXPECT_EQ(copy.GetFormat(), static_cast<int>(DT_RIGHT));
    EXPECT_EQ(copy.TextColour(), RGB(1, 1, 1));
    EXPECT_EQ(copy.BackColour(), RGB(2, 2, 2));
    EXPECT_EQ(copy.GetFont()->lfHeight, -14);
    EXPECT_EQ(copy.GetMargin(), 9);
    EXPECT_EQ(copy.OwnerGrid(), &grid);
    copy.Reset();
    EXPECT_TRUE(copy.UsesDefaultFont());
    EXPECT_EQ(copy.GetImage(), -1);
    EXPECT_EQ(copy.OwnerGrid(), nullptr);
}

// A cell with its own back colour is filled even when the grid draws without
// erasing; one on the default colour is not.
TEST_F(GridCell, OwnBackColourIsAlwaysFilled) {
    CGridCtrl grid(2, 2);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, 100, 50);
    CBitmap* old = dc.SelectObject(&bitmap);
    CRect rect(10, 10, 59, 29);
    vplat::GdiLog::Clear();
    EXPECT_TRUE(grid.CellAt(1, 1)->Draw(&dc, 1, 1, rect, FALSE));
    EXPECT_TRUE(Drawn("FillRect").empty());
    grid.SetCellBackColour(1, 1, RGB(255, 0, 0));
    vplat::GdiLog::Clear();
    grid.CellAt(1, 1)->Draw(&dc, 1, 1, rect, FALSE);
    std::vector<std::string> fills = Drawn("FillRect");
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_NE(fills[0].find("FillRect (10,10,60,30) #FF0000"), std::string::npos) << fills[0];
    EXPECT_FALSE(grid.CellAt(1, 1)->Draw(&dc, 1, 1, CRect(5, 5, 5, 20), TRUE));  // no width
    dc.SelectObject(old);
}

TEST_F(GridCell, CheckBoxPlacementTextAreaAndSize) {
    CGridCtrl grid(3, 3, 1, 1);
    GridHost host(grid, 300, 100);
    SetUpLikeTitleBlock(grid);
    ASSERT_TRUE(grid.SetCellKind(1, 2, RUNTIME_CLASS(CGridCellCheck)));
    auto* check = static_cast<CGridCellCheck*>(grid.CellAt(1, 2));
    int m = check->GetMargin();
    GridHost<CGridCtrl>::Pump();
    CRect cell;
    grid.CellBounds(1, 2, &cell);
    // A 22-pixel row is lower than the box and its margins: the box is centred.
    EXPECT_EQ(check->GetCheckPlacement(), CRect(cell.left + m, cell.top + 2, cell.left + m + 17, cell.top + 19));
    // The text starts right of the box; a cell narrower than it has no text area.
    CRect text(0, 0, 100, 20);
    check->TextArea(&text);
    EXPECT_EQ(text.left, 17 + 2 * m);
    CRect narrow(0, 0, 17 + 2 * m - 3, 20);
    check->TextArea(&narrow);
    EXPECT_EQ(narrow.left, narrow.right);
    check->SetText(L"Ok");
    CSize plain = grid.CellAt(1, 1)->TextSize(L"Ok");
    EXPECT_EQ(check->NeededSize(), CSize(plain.cx + 1 + 17 + 2 * m, std::max<int>(plain.cy + 1, 17 + 2 * m)));
}

// A click inside the box toggles it only where the grid lets the cell be
// edited, and reports nothing.
TEST_F(GridCell, ClickingTheCheckBox) {
    CGridCtrl grid(3, 3, 1, 1);
    GridHost host(grid, 300, 100);
    SetUpLikeTitleBlock(grid);
    grid.SetCellKind(1, 2, RUNTIME_CLASS(CGridCellCheck));
    grid.SetCellKind(2, 2, RUNTIME_CLASS(CGridCellCheck));
    grid.SetCellState(2, 2, CELL_READONLY);
    GridHost<CGridCtrl>::Pump();
    grid.MarkModified(FALSE);
    host.Top().notices.clear();
    auto* check = static_cast<CGridCellCheck*>(grid.CellAt(1, 2));
    auto* readOnly = static_cast<CGridCellCheck*>(grid.CellAt(2, 2));
    int m = check->GetMargin();
    CPoint inBox(m + 3, 10), outside(40, 10);
    struct Case {
        CGridCellCheck* cell;
        CPoint point;
        int editable;
        int checked;
    } cases[] = {{check, inBox, 1, 1}, {check, inBox, 1, 0}, {check, outside, 1, 0},
                 {check, inBox, 0, 0}, {readOnly, inBox, 1, 0}};
    for (const Case& c : cases) {
        grid.editable = c.editable;
        c.cell->OnClick(c.point);
        EXPECT_EQ(c.cell->GetCheck(), c.checked);
    }
    EXPECT_FALSE(grid.IsModified());
    EXPECT_TRUE(host.Top().notices.empty());
    EXPECT_EQ(check->SetCheck(1), 0);
}
