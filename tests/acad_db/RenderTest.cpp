#include <algorithm>

#include "DrawingFixture.h"
#include "DrawingRender.h"

namespace {
// Whether a pixel leans clearly to the colour's channels (lines are
// antialiased, so their pixels are blends with the white page).
bool Tinted(unsigned p, unsigned colour) {
    int c[3] = {static_cast<int>(p >> 16 & 255), static_cast<int>(p >> 8 & 255), static_cast<int>(p & 255)};
    int hi = 255, lo = 0;
    for (int i = 0; i < 3; ++i) {
        bool on = (colour >> (16 - 8 * i) & 255) != 0;
        if (on) hi = std::min(hi, c[i]);
        else lo = std::max(lo, c[i]);
    }
    return hi - lo > 60;
}

// Whether some pixel of the colour lies in the box around (x, y).
bool ColourNear(const std::vector<unsigned>& px, int w, int x, int y, unsigned colour, int r = 3) {
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            if (Tinted(px[static_cast<size_t>((y + dy) * w + x + dx)], colour)) return true;
    return false;
}
}  // namespace

// The view is fitted to the extents; entities take their layer's colour, and
// frozen layers are not drawn.
TEST_F(DrawingTest, RenderFitsTheExtentsWithLayerColours) {
    AddLayer(L"ROSSO", 1);
    AddLayer(L"GELO", 5);
    auto* line = new AcDbLine(AcGePoint3d(1000, 1000, 0), AcGePoint3d(1100, 1075, 0));
    line->setLayer(L"rosso");
    Append(line);
    auto* hidden = new AcDbCircle(AcGePoint3d(1050, 1037.5, 0), AcGeVector3d::kZAxis, 10);
    hidden->setLayer(L"GELO");
    Append(hidden);
    {
        AcDbLayerTable* lt = nullptr;
        db()->getLayerTable(lt, AcDb::kForRead);
        AcDbLayerTableRecord* l = nullptr;
        lt->getAt(L"GELO", l, AcDb::kForWrite);
        lt->close();
        l->setIsFrozen(true);
        l->close();
    }
    vplat::RenderOptions o;
    o.width = 400, o.height = 300;
    std::vector<unsigned> px;
    ASSERT_TRUE(vplat::RenderDrawingPixels(db(), o, px, nullptr));
    // The line runs corner to corner inside the 5 % margin: 20 px, 15 px.
    EXPECT_TRUE(ColourNear(px, o.width, 20, 285, 0xFF0000));
    EXPECT_TRUE(ColourNear(px, o.width, 380, 15, 0xFF0000));
    EXPECT_TRUE(ColourNear(px, o.width, 200, 150, 0xFF0000));
    size_t blue = 0;
    for (unsigned p : px) blue += Tinted(p, 0x0000FF) ? 1 : 0;
    EXPECT_EQ(blue, 0u) << "a frozen layer was drawn";
}

// A layout shows the model through its viewport, about the view target.
TEST_F(DrawingTest, RenderLayoutShowsModelThroughViewport) {
    AddLayer(L"VERDE", 3);
    auto* line = new AcDbLine(AcGePoint3d(500, 500, 0), AcGePoint3d(520, 500, 0));
    line->setLayer(L"VERDE");
    Append(line);
    AddViewportLayout(L"T1", 100, AcGePoint3d(510, 500, 0), 40);
    vplat::RenderOptions o;
    o.width = o.height = 200;
    o.layout = L"t1";
    std::vector<unsigned> px;
    ASSERT_TRUE(vplat::RenderDrawingPixels(db(), o, px, nullptr));
    // 100 paper units over 180 px; the model line (20 units, a view of 40)
    // spans half the viewport around its centre.
    EXPECT_TRUE(ColourNear(px, o.width, 100, 100, 0x00FF00));
    EXPECT_TRUE(ColourNear(px, o.width, 60, 100, 0x00FF00));
    EXPECT_FALSE(ColourNear(px, o.width, 40, 100, 0x00FF00));
    std::wstring error;
    o.layout = L"NONE";
    EXPECT_FALSE(vplat::RenderDrawingPixels(db(), o, px, &error));
    EXPECT_EQ(error, L"no layout named NONE");
}

// Inside a block a constant attribute definition is drawn (its text is the
// same on every reference); the others are drawn only through the
// references' own attributes.
TEST_F(DrawingTest, RenderShowsConstantDefinitionsOfABlockOnly) {
    AddLayer(L"ROSSO", 1);
    AddLayer(L"BLU", 5);
    AddBlock(L"CARTIGLIO");
    Append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(200, 150, 0)), L"CARTIGLIO");
    auto* costante = new AcDbAttributeDefinition(AcGePoint3d(20, 100, 0), L"TITOLO", L"T", L"Titolo");
    costante->setHeight(20);
    costante->setLayer(L"ROSSO");
    vplat::SetTag(costante->data(), vplat::DxfTag::Int(70, 2));
    Append(costante, L"CARTIGLIO");
    auto* variabile = new AcDbAttributeDefinition(AcGePoint3d(20, 20, 0), L"CAMPO", L"C", L"Campo");
    variabile->setHeight(20);
    variabile->setLayer(L"BLU");
    Append(variabile, L"CARTIGLIO");
    auto* bt = vplat::Peek<AcDbBlockTable>(db()->blockTableId());
    Append(new AcDbBlockReference(AcGePoint3d(0, 0, 0), bt->find(L"CARTIGLIO")));

    vplat::RenderOptions o;
    o.width = 400, o.height = 300;
    std::vector<unsigned> px;
    ASSERT_TRUE(vplat::RenderDrawingPixels(db(), o, px, nullptr));
    size_t rosso = 0, blu = 0;
    for (unsigned p : px) rosso += Tinted(p, 0xFF0000) ? 1 : 0, blu += Tinted(p, 0x0000FF) ? 1 : 0;
    EXPECT_GT(rosso, 0u) << "the constant title is missing";
    EXPECT_EQ(blu, 0u) << "a field's definition was drawn";
}
