// What the tree looks like, read from snapshots and the drawing log.
#include <string>

#include "OptionTreeFixture.h"

class Painting : public OptionTreeFixture {
protected:
    COLORREF Pixel(int x, int y) { return vplat::SnapshotPixel(RowsView(), x, y); }
    // Pixels of a rectangle as dark as black text's core.
    int DarkPixels(const CRect& r) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                COLORREF c = Pixel(x, y);
                n += GetRValue(c) < 80 && GetGValue(c) < 80 && GetBValue(c) < 80;
            }
        return n;
    }
    std::vector<std::string> PaneTexts() {
        vplat::GdiLog::Clear();
        tree->GetInfoPane()->Invalidate();
        Paint();
        std::vector<std::string> out;
        for (const std::string& e : vplat::GdiLog::Matching("DrawText"))
            if (e.rfind("bitmap 263x50", 0) == 0) out.push_back(e.substr(e.find('"')));
        return out;
    }
};

TEST_F(Painting, ShadingOptionsOfTheExpandColumnAndTheGroupRows) {
    const COLORREF face = RGB(240, 240, 240), white = RGB(255, 255, 255);
    struct Case {
        DWORD options;
        COLORREF column, group;
    } cases[] = {
        {kOptions, white, white},
        {kOptions | OTS_SHADEEXPANDCOLUMN, face, white},
        {kOptions | OTS_SHADEROOTROWS, white, face},
    };
    for (const Case& c : cases) {
        Build({L"h [m]", L"Rr1is [m]"}, c.options);
        EXPECT_EQ(Pixel(8, 150), c.column) << c.options;
        EXPECT_EQ(Pixel(120, 3), c.group) << c.options;
        EXPECT_EQ(Pixel(16, 150), RGB(160, 160, 160));  // the line along the expand column
        EXPECT_EQ(Pixel(17, 150), white);
        tree->DestroyWindow();
        delete tree;
        tree = nullptr;
    }
}

TEST_F(Painting, SelectedRowIsHighlightedUpToItsLabel) {
    Build({L"h [m]", L"Rr1is [m]"});
    Click(30, 30);
    const COLORREF highlight = RGB(0, 120, 215);
    EXPECT_EQ(rows[0]->GetLabelRect().left, 21);
    EXPECT_EQ(rows[0]->GetLabelRect().right, 51);
    EXPECT_EQ(Pixel(16, 22), RGB(160, 160, 160));
    EXPECT_EQ(Pixel(17, 22), highlight);
    EXPECT_EQ(Pixel(55, 22), highlight);
    EXPECT_EQ(Pixel(56, 22), RGB(255, 255, 255));
    EXPECT_NE(Pixel(17, 51), highlight);  // the next row is not selected
}

TEST_F(Painting, DisabledTreeDrawsItsLabelsGrey) {
    Build({L"MMMMM", L"b"});
    CRect label(21, 21, 80, 42);
    EXPECT_GT(DarkPixels(label), 0);
    tree->EnableWindow(FALSE);
    Paint();
    EXPECT_EQ(DarkPixels(label), 0);
    EXPECT_EQ(Pixel(120, 100), RGB(240, 240, 240));  // below the rows: button face
}

TEST_F(Painting, PaneShowsTheFocusedRowOrTheDefaultTexts) {
    for (DWORD extra : {DWORD{0}, DWORD{OTS_DEFAULTINFOTEXT}}) {
        Build({L"Raggio"}, kOptions | extra);
        rows[0]->SetDescription(L"Raggio del ciglio esterno.");
        auto none = PaneTexts();
        if (extra) {
            EXPECT_EQ(none, (std::vector<std::string>{"\"No Item Selected\"", "\"Select an item to see its description.\""}));
        } else {
            EXPECT_EQ(none, (std::vector<std::string>{"\"\"", "\"\""}));
        }
        tree->SetFocusedItem(rows[0]);
        EXPECT_EQ(PaneTexts(), (std::vector<std::string>{"\"Raggio\"", "\"Raggio del ciglio esterno.\""}));
        tree->DestroyWindow();
        delete tree;
        tree = nullptr;
    }
}

TEST_F(Painting, SpinnerRowShowsItsValueUntilEdited) {
    Build({L"a", L""}, kOptions, true);  // a row without label still shows its value
    vplat::GdiLog::Clear();
    tree->GetRowsView()->Invalidate();
    Paint();
    EXPECT_EQ(vplat::GdiLog::Matching("DrawText (155,42,263,62) \"2.5\"").size(), 1u);
    vplat::SnapshotWindow(frame, ::testing::TempDir() + "optiontree.png");
}

// Group captions wider than the tree lose their middle, so that two that
// differ only at the end stay apart; each fits the row.
TEST_F(Painting, TooWideLabelsKeepTheirEnd) {
    Build({L"r1u [m]"});
    group->SetLabel(L"Policentrica di raccordo della corsia di uscita: ");
    COptionTreeItem* entry = tree->InsertItem(new COptionTreeItem);
    entry->SetLabel(L"Policentrica di raccordo della corsia di immissione: ");
    vplat::GdiLog::Clear();
    tree->GetRowsView()->Invalidate();
    Paint();
    std::vector<std::string> drawn;
    for (const std::string& e : vplat::GdiLog::Matching("DrawText"))
        if (e.find("Policentrica") != std::string::npos) drawn.push_back(e.substr(e.find('"')));
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_NE(drawn[0], drawn[1]);
    EXPECT_EQ(drawn[0], "\"Policentrica di rac... corsia di uscita: \"");
    EXPECT_EQ(drawn[1], "\"Policentrica di ra...sia di immissione: \"");
    CRect view;
    tree->GetRowsView()->GetClientRect(&view);
    for (COptionTreeItem* g : {group, entry}) EXPECT_LE(g->GetLabelRect().right, view.right) << drawn[0];
}
