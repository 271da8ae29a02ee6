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

// The views a model can be looked at from, and the screen point of a model
// point in each.
TEST(RenderView, ParsesPlanIsoAndDirections) {
    struct Caso {
        const char* testo;
        bool ok, plan;
        double x, y, z;
    } const casi[] = {{"", true, true, 0, 0, 1},       {"plan", true, true, 0, 0, 1},
                      {"iso", true, false, 1, -1, 1},  {"0,-2,1.5", true, false, 0, -2, 1.5},
                      {"1,2", false, true, 0, 0, 1},   {"1,2,3,4", false, true, 0, 0, 1},
                      {"a,b,c", false, true, 0, 0, 1}, {"0,0,0", false, true, 0, 0, 1},
                      {"1,,1", false, true, 0, 0, 1},  {"nan,1,1", false, true, 0, 0, 1}};
    for (const Caso& c : casi) {
        vplat::RenderView v;
        std::wstring error;
        EXPECT_EQ(v.Parse(c.testo, &error), c.ok) << c.testo;
        EXPECT_EQ(error.empty(), c.ok) << c.testo;
        EXPECT_EQ(v.plan, c.plan) << c.testo;
        EXPECT_EQ(v.direction[0], c.x) << c.testo;
        EXPECT_EQ(v.direction[1], c.y) << c.testo;
        EXPECT_EQ(v.direction[2], c.z) << c.testo;
    }
}

TEST(RenderView, ProjectsWithTheViewAndTheVerticalScale) {
    struct Caso {
        const char* vista;
        double zscale;
        double p[3];
        double x, y;
    } const casi[] = {
        {"iso", 1, {0, 0, 1}, 0, 0.8165},       {"iso", 1, {1, 0, 0}, 0.7071, -0.4082},
        {"iso", 1, {0, 1, 0}, 0.7071, 0.4082},  {"iso", 10, {0, 0, 1}, 0, 8.165},
        {"plan", 10, {3, 4, 5}, 3, 4},          {"0,0,1", 1, {3, 4, 5}, 3, 4},
        {"0,-1,0", 1, {1, 0, 2}, 1, 2},         {"0,0,-1", 1, {3, 4, 5}, 3, -4},
    };
    for (const Caso& c : casi) {
        vplat::RenderView v;
        ASSERT_TRUE(v.Parse(c.vista, nullptr));
        v.zscale = c.zscale;
        double x, y, d;
        v.Project(c.p, &x, &y, &d);
        EXPECT_NEAR(x, c.x, 1e-4) << c.vista << " " << c.p[0] << "," << c.p[1] << "," << c.p[2];
        EXPECT_NEAR(y, c.y, 1e-4) << c.vista << " " << c.p[0] << "," << c.p[1] << "," << c.p[2];
    }
}

// In plan a 3D face is its outline; seen from the side it is filled with a
// tint of its colour, and the nearer of two overlapping faces is on top,
// whatever the order they were drawn in.
TEST_F(DrawingTest, FacesFilledBackToFrontInAView) {
    auto faccia = [&](double z, int colore) {
        auto* f = new AcDbFace(AcGePoint3d(0, 0, z), AcGePoint3d(10, 0, z), AcGePoint3d(10, 10, z),
                               AcGePoint3d(0, 10, z));
        f->setColorIndex(colore);
        Append(f);
    };
    faccia(5, 5);  // nearer the eye above, drawn first
    faccia(0, 1);
    vplat::RenderOptions o;
    o.width = 200, o.height = 200;
    std::vector<unsigned> px;
    ASSERT_TRUE(vplat::RenderDrawingPixels(db(), o, px, nullptr));
    EXPECT_EQ(px[100 * 200 + 100], 0xFFFFFFu) << "a face was filled in plan";

    ASSERT_TRUE(o.view.Parse("iso", nullptr));
    ASSERT_TRUE(vplat::RenderDrawingPixels(db(), o, px, nullptr));
    // The upper face's centre projects above the lower one's: its middle is a
    // tint of blue, not of red and not the page.
    double c[3] = {5, 5, 5}, x, y, d, lo[3] = {5, 5, 0}, lx, ly;
    o.view.Project(c, &x, &y, &d);
    o.view.Project(lo, &lx, &ly, &d);
    EXPECT_GT(y, ly);
    size_t blu = 0, rosso = 0;
    for (unsigned p : px) {
        unsigned r = p >> 16 & 255, g = p >> 8 & 255, b = p & 255;
        if (p == 0xFFFFFFu) continue;
        if (b > r + 40 && b > g + 40) ++blu;
        if (r > b + 40 && r > g + 40) ++rosso;
    }
    // The upper face shows whole, the lower one only where it is not covered.
    EXPECT_GT(blu, rosso + 1000) << "the face further from the eye was painted over the nearer one";
    EXPECT_GT(rosso, 100u);
}
