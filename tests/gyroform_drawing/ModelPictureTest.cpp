// The drawn model saved and shown by the host in an axonometric view.
#include <cairo.h>

#include <cstdint>
#include <cstring>

#include "DrawingFixture.h"
#include "HostRunner.h"

namespace disegno3d {
namespace {

const std::string kHost = VORTANA_BIN "/vortana-cad";

// The pixels of the faces' tint (colour 251 towards white, shaded: an even
// grey) in a picture, with their centroid.
struct Tinta {
    long long n = 0;
    unsigned centro = 0;  // the pixel at their centroid
};

class ModelPicture : public DrawingTest {
protected:
    // Saves the drawing, lets the host draw it in the iso view with a
    // vertical scale of 10, and finds the faces' tint in the picture.
    Tinta Immagine() {
        m_dxf = m_cartella.File("modello.dxf");
        std::string png = m_cartella.File("modello.png");
        std::wstring wdxf(m_dxf.begin(), m_dxf.end());
        EXPECT_EQ(m_db->dxfOut(wdxf.c_str()), Acad::eOk);
        HostRun run = RunHost(kHost, {"--drawing", m_dxf, "--render", png, "--view", "iso", "--zscale", "10"});
        EXPECT_EQ(run.exitCode, 0) << run.errors;
        Tinta t;
        cairo_surface_t* s = cairo_image_surface_create_from_png(png.c_str());
        if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
            ADD_FAILURE() << "no picture";
            cairo_surface_destroy(s);
            return t;
        }
        int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
        int stride = cairo_image_surface_get_stride(s);
        const unsigned char* dati = cairo_image_surface_get_data(s);
        auto pixel = [&](long long x, long long y) {
            uint32_t v;
            std::memcpy(&v, dati + y * stride + x * 4, 4);
            return v & 0xFFFFFFu;
        };
        long long sx = 0, sy = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                uint32_t p = pixel(x, y);
                uint32_t r = p >> 16 & 255, g = p >> 8 & 255, b = p & 255;
                if (r == g && g == b && r >= 140 && r <= 180) ++t.n, sx += x, sy += y;
            }
        if (t.n > 0) t.centro = pixel(sx / t.n, sy / t.n);
        cairo_surface_destroy(s);
        return t;
    }

    TempFolder m_cartella;
    std::string m_dxf;
};

// The plan lies some 500 units further down the picture at this vertical
// scale; the model's faces fill its carriageway.
TEST_F(ModelPicture, GeneratedRoundaboutFilledInAnIsoView) {
    ASSERT_EQ(Leggi(TreRami()), 1);
    ASSERT_EQ(m_rotatoria->disegna3D(nullptr), 1);
    EXPECT_GT(Immagine().n, 1000);
}

// On a ring alone the faces fill a band around the empty island: the middle
// of them is the page. Bad views are refused before anything runs.
TEST_F(ModelPicture, RingBandAroundTheIslandAndBadViews) {
    AnelloPiatto();
    ASSERT_EQ(m_rotatoria->disegna3D(nullptr), 1);
    Tinta t = Immagine();
    EXPECT_GT(t.n, 1000);
    EXPECT_EQ(t.centro, 0xFFFFFFu) << "the island is filled";

    const std::vector<std::string> male[] = {
        {"--view", "0,0,0"}, {"--view", "nord"}, {"--zscale", "0"}, {"--zscale", "-2"}};
    for (const auto& m : male) {
        std::vector<std::string> args = {"--drawing", m_dxf, "--render", m_cartella.File("male.png")};
        args.insert(args.end(), m.begin(), m.end());
        HostRun r = RunHost(kHost, args);
        EXPECT_EQ(r.exitCode, 1) << m[1];
        EXPECT_NE(r.errors.find(m[0]), std::string::npos) << r.errors;
    }
}

}  // namespace
}  // namespace disegno3d
