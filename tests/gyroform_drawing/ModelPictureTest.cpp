// The drawn model saved and shown by the host in an axonometric view.
#include <cairo.h>

#include <cstdint>
#include <cstring>

#include "DrawingFixture.h"
#include "HostRunner.h"

namespace disegno3d {
namespace {

using ModelPicture = DrawingTest;

// The ring's faces fill a band around an empty island: many pixels of the
// faces' tint, and the middle of them is the page. (The plan lies 520 units
// further down the picture at this vertical scale.)
TEST_F(ModelPicture, HostShowsTheRingSurfaceFilledInAnIsoView) {
    AnelloPiatto();
    ASSERT_EQ(m_rotatoria->disegna3D(nullptr), 1);
    TempFolder cartella;
    std::string dxf = cartella.File("modello.dxf"), png = cartella.File("modello.png");
    std::wstring wdxf(dxf.begin(), dxf.end());
    ASSERT_EQ(m_db->dxfOut(wdxf.c_str()), Acad::eOk);

    HostRun run = RunHost(VORTANA_BIN "/vortana-cad",
                          {"--drawing", dxf, "--render", png, "--view", "iso", "--zscale", "10"});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    cairo_surface_t* s = cairo_image_surface_create_from_png(png.c_str());
    ASSERT_EQ(cairo_surface_status(s), CAIRO_STATUS_SUCCESS);
    int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    int stride = cairo_image_surface_get_stride(s);
    const unsigned char* dati = cairo_image_surface_get_data(s);
    auto pixel = [&](int x, int y) {
        uint32_t v;
        std::memcpy(&v, dati + static_cast<size_t>(y) * static_cast<size_t>(stride) + static_cast<size_t>(x) * 4, 4);
        return v & 0xFFFFFFu;
    };
    // Colour 251 tinted towards white, shaded: an even grey.
    long long n = 0, sx = 0, sy = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t p = pixel(x, y);
            uint32_t r = p >> 16 & 255, g = p >> 8 & 255, b = p & 255;
            if (r == g && g == b && r >= 140 && r <= 180) ++n, sx += x, sy += y;
        }
    ASSERT_GT(n, 1000) << "the ring surface is not filled";
    EXPECT_EQ(pixel(static_cast<int>(sx / n), static_cast<int>(sy / n)), 0xFFFFFFu) << "the island is filled";
    cairo_surface_destroy(s);

    // Bad views are refused before anything runs.
    for (std::vector<std::string> male : {std::vector<std::string>{"--view", "0,0,0"},
                                          std::vector<std::string>{"--view", "nord"},
                                          std::vector<std::string>{"--zscale", "0"},
                                          std::vector<std::string>{"--zscale", "-2"}}) {
        std::vector<std::string> args = {"--drawing", dxf, "--render", png};
        args.insert(args.end(), male.begin(), male.end());
        HostRun r = RunHost(VORTANA_BIN "/vortana-cad", args);
        EXPECT_EQ(r.exitCode, 1) << male[1];
        EXPECT_NE(r.errors.find(male[0]), std::string::npos) << r.errors;
    }
}

}  // namespace
}  // namespace disegno3d
