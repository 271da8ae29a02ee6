// The picture panel's worker and the image library under it: fitting,
// extensions, showing a picture in a bitmap control, reporting files that
// cannot be shown, and the formats the library reads.
#include <CxImage.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>

#include "../../junctor/ui/CImmagineMgr.h"
#include "HostText.h"
#include "ImageFiles.h"
#include "ParTreeFixture.h"

using namespace partree_test;

namespace {

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kBlue = 0xFF0000FFu;

// Left half red, right half blue.
uint32_t Halves(int x, int w) { return x < w / 2 ? kRed : kBlue; }

class Picture : public ParTreeFixture {
protected:
    void SetUp() override {
        ParTreeFixture::SetUp();
        folder = std::filesystem::temp_directory_path() /
                 ("vortana-pictures-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        ASSERT_TRUE(control.Create(L"", WS_CHILD | WS_VISIBLE | SS_BITMAP, CRect(300, 300, 320, 320), host, 7018));
        mgr.SetMargine(5);
    }
    void TearDown() override {
        if (control.m_hWnd) {
            if (HBITMAP b = control.SetBitmap(nullptr)) DeleteObject(b);
            control.DestroyWindow();
        }
        std::filesystem::remove_all(folder);
        ParTreeFixture::TearDown();
    }
    // An image file in the scratch folder, its Windows-style path.
    CString Write(const std::string& name, int format, int w, int h, int bits = 24) {
        const std::string path = (folder / name).string();
        EXPECT_TRUE(image_test::WriteImage(path, format, bits, w, h, [w](int x, int) { return Halves(x, w); }));
        return Windows(name);
    }
    CString Windows(const std::string& name) {
        std::wstring p = vplat::Utf8ToWide((folder / name).string());
        for (wchar_t& c : p)
            if (c == L'/') c = L'\\';
        return p.c_str();
    }
    CRect Placed() {
        CRect r;
        control.GetWindowRect(&r);
        host->ScreenToClient(&r);
        return r;
    }
    // Shows a file in the frame (10,20,120,130).
    void Show(const CString& path) {
        CRect frame(10, 20, 120, 130);
        mgr.SetCornice(frame.Width(), frame.Height());
        mgr.Mostra(path, &control, &frame);
        vplat::UserInput::Pump();
    }

    std::filesystem::path folder;
    CStatic control;
    CImmagineMgr mgr;
};

}  // namespace

TEST(ImmagineMgr, FitsTheImageIntoTheUsableFrame) {
    struct Case {
        int W, H, w, h, fitW, fitH;
    } cases[] = {
        {100, 100, 400, 200, 100, 50}, {100, 100, 200, 400, 50, 100}, {100, 100, 300, 300, 100, 100},
        {100, 100, 1000, 10, 100, 1},  {100, 100, 10, 5, 100, 50},    {100, 100, 0, 7, 0, 7},
        {100, 100, 7, 0, 7, 0},        {100, 40, 200, 100, 80, 40},   {334, 334, 320, 240, 334, 250},
        {40, 100, 100, 200, 40, 80},
    };
    for (const Case& c : cases) {
        CImmagineMgr mgr;
        mgr.SetMargine(5);
        mgr.SetCornice(c.W + 10, c.H + 10);
        EXPECT_EQ(mgr.GetLarghezza(), c.W);
        int w = c.w, h = c.h;
        mgr.Adatta(w, h);
        EXPECT_EQ(w, c.fitW) << c.w << "x" << c.h << " in " << c.W << "x" << c.H;
        EXPECT_EQ(h, c.fitH) << c.w << "x" << c.h << " in " << c.W << "x" << c.H;
    }
}

TEST(ImmagineMgr, ExtensionIsWhatFollowsTheLastDotInLowerCase) {
    struct Case {
        const wchar_t* path;
        const wchar_t* ext;
    } cases[] = {{L"C:\\Junctor\\h.jpg", L"jpg"},         {L"C:\\Junctor\\PIC.JPG", L"jpg"},
                 {L"C:\\a.b\\c.TiFF", L"tiff"},            {L"C:\\dir.v2\\immagine", L"v2\\immagine"},
                 {L"C:\\Junctor\\Immagine", L"c:\\junctor\\immagine"}, {L"nome.", L""}};
    CImmagineMgr mgr;
    for (const Case& c : cases) EXPECT_EQ(mgr.GetEstensione(c.path), CString(c.ext)) << c.path;
}

TEST_F(Picture, WideAndTallPicturesAreFittedAndCentredInTheFrame) {
    struct Case {
        int w, h;
        CRect placed;
    } cases[] = {{400, 200, CRect(15, 50, 115, 100)},
                 {200, 400, CRect(40, 25, 90, 125)},
                 {300, 300, CRect(15, 25, 115, 125)}};  // square: placed as a tall one
    for (const Case& c : cases) {
        const HWND before = GetWindow(control.m_hWnd, GW_HWNDPREV);
        Show(Write("halves.png", CXIMAGE_FORMAT_PNG, c.w, c.h));
        EXPECT_EQ(Placed(), c.placed) << c.w << "x" << c.h;
        EXPECT_EQ(GetWindow(control.m_hWnd, GW_HWNDPREV), before);  // z-order unchanged
        const int cw = c.placed.Width(), ch = c.placed.Height();
        EXPECT_EQ(vplat::SnapshotPixel(control.m_hWnd, cw / 4, ch / 2), RGB(255, 0, 0));
        EXPECT_EQ(vplat::SnapshotPixel(control.m_hWnd, 3 * cw / 4, ch / 2), RGB(0, 0, 255));
    }
    EXPECT_TRUE(vplat::MessageBoxes::All().empty());
}

TEST_F(Picture, PicturesThatCannotBeShownAreReportedAndTheOldOneStays) {
    Show(Write("PIC.JPG", CXIMAGE_FORMAT_JPG, 400, 200));  // upper-case extension: JPEG
    const HBITMAP shown = control.GetBitmap();
    ASSERT_NE(shown, nullptr);
    const CRect placed = Placed();
    Write("a.jpeg", CXIMAGE_FORMAT_JPG, 40, 20);
    Write("a.tiff", CXIMAGE_FORMAT_TIF, 40, 20);
    Write("a.gif", CXIMAGE_FORMAT_PNG, 40, 20);
    Write("senza-punto", CXIMAGE_FORMAT_PNG, 40, 20);
    Write("png-bytes.jpg", CXIMAGE_FORMAT_PNG, 40, 20);  // read with the JPEG reader only
    {
        std::ofstream((folder / "testo.png").string()) << "not a picture\n";
    }
    const std::vector<CString> bad = {Windows("a.jpeg"),  Windows("a.tiff"),        Windows("a.gif"),
                                      Windows("senza-punto"), Windows("png-bytes.jpg"), Windows("testo.png"),
                                      Windows("manca.png")};
    std::wstring script;
    for (size_t i = 0; i < bad.size() * 2; ++i) script += L"msgbox ok\n";
    Script(script);
    for (int round = 0; round < 2; ++round)  // reported at every request
        for (const CString& path : bad) Show(path);
    EXPECT_TRUE(Mismatches().empty());
    const auto& boxes = vplat::MessageBoxes::All();
    ASSERT_EQ(boxes.size(), bad.size() * 2);
    for (size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_EQ(boxes[i].text, std::wstring(bad[i % bad.size()]) + L" - Immagine non esistente o danneggiata.");
        EXPECT_EQ(boxes[i].type & 0xF, static_cast<UINT>(MB_OK));
    }
    EXPECT_EQ(control.GetBitmap(), shown);
    EXPECT_EQ(Placed(), placed);
}

// A frame no larger than twice the margin leaves no room for a picture.
TEST_F(Picture, FrameWithoutRoomShowsNothing) {
    const CString path = Write("halves.png", CXIMAGE_FORMAT_PNG, 400, 200);
    const int bitmaps = vplat::LiveBitmaps();
    for (int side : {8, 10}) {
        CRect frame(10, 20, 10 + side, 20 + side);
        mgr.SetCornice(side, side);
        mgr.Mostra(path, &control, &frame);
    }
    EXPECT_EQ(control.GetBitmap(), nullptr);
    EXPECT_TRUE(vplat::MessageBoxes::All().empty());
    EXPECT_EQ(vplat::LiveBitmaps(), bitmaps);
}

TEST_F(Picture, RepeatedShowingKeepsOnlyThePictureOnDisplay) {
    const CString wide = Write("wide.png", CXIMAGE_FORMAT_PNG, 400, 200);
    const CString tall = Write("tall.bmp", CXIMAGE_FORMAT_BMP, 200, 400);
    const int bitmaps = vplat::LiveBitmaps();
    for (int i = 0; i < 50; ++i) Show(i % 2 ? tall : wide);
    EXPECT_EQ(vplat::LiveBitmaps(), bitmaps + 1);
    EXPECT_EQ(Placed(), CRect(40, 25, 90, 125));
}

// The bitmap control takes its bitmap's size unless it centres the image, gives
// back the bitmap it held and deletes none.
TEST_F(Picture, BitmapControlTakesTheSizeOfItsBitmap) {
    CStatic centred;
    ASSERT_TRUE(centred.Create(L"", WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_CENTERIMAGE, CRect(0, 0, 30, 30), host));
    HBITMAP a = CreateBitmap(40, 25, 1, 32, nullptr), b = CreateBitmap(7, 9, 1, 32, nullptr);
    EXPECT_EQ(control.SetBitmap(a), nullptr);
    EXPECT_EQ(Placed(), CRect(300, 300, 340, 325));
    EXPECT_EQ(control.SetBitmap(b), a);
    EXPECT_EQ(Placed(), CRect(300, 300, 307, 309));
    EXPECT_EQ(control.SetBitmap(nullptr), b);
    EXPECT_EQ(control.GetBitmap(), nullptr);
    EXPECT_EQ(Placed(), CRect(300, 300, 307, 309));
    EXPECT_EQ(centred.SetBitmap(a), nullptr);
    CRect r;
    centred.GetWindowRect(&r);
    EXPECT_EQ(r.Size(), CSize(30, 30));
    EXPECT_EQ(centred.SetBitmap(nullptr), a);
    BITMAP bm{};
    EXPECT_NE(GetObjectW(a, sizeof bm, &bm), 0);  // neither control deleted it
    EXPECT_NE(GetObjectW(b, sizeof bm, &bm), 0);
    DeleteObject(a);
    DeleteObject(b);
    centred.DestroyWindow();
}

TEST_F(Picture, LibraryReadsTheFourFormatsInto32BitBitmaps) {
    struct Case {
        const char* name;
        int format;
        int bits;
        uint32_t left;
        COLORREF leftShown;  // premultiplied by alpha
        uint32_t right;
        COLORREF rightShown;
    } cases[] = {
        {"palette.bmp", CXIMAGE_FORMAT_BMP, 8, kRed, RGB(255, 0, 0), kBlue, RGB(0, 0, 255)},
        {"colour.jpg", CXIMAGE_FORMAT_JPG, 24, kRed, RGB(255, 0, 0), kBlue, RGB(0, 0, 255)},
        {"alpha.png", CXIMAGE_FORMAT_PNG, 32, 0x80FF0000u, RGB(128, 0, 0), 0x00FFFFFFu, RGB(0, 0, 0)},
        {"grey16.tif", CXIMAGE_FORMAT_TIF, 16, 0xFFFFFFFFu, RGB(255, 255, 255), 0xFF000000u, RGB(0, 0, 0)},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(image_test::WriteImage((folder / c.name).string(), c.format, c.bits, 60, 30,
                                           [&](int x, int) { return x < 30 ? c.left : c.right; }));
        CxImage image(Windows(c.name), static_cast<DWORD>(c.format));  // backslash path
        ASSERT_TRUE(image.IsValid()) << c.name;
        EXPECT_EQ(image.GetWidth(), 60u);
        EXPECT_EQ(image.GetHeight(), 30u);
        HBITMAP bitmap = image.MakeBitmap(nullptr);
        BITMAP bm{};
        GetObjectW(bitmap, sizeof bm, &bm);
        EXPECT_EQ(bm.bmBitsPixel, 32) << c.name;
        EXPECT_EQ(bm.bmWidth, 60);
        EXPECT_EQ(bm.bmHeight, 30);
        HDC mem = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(mem, bitmap);
        auto near = [](COLORREF a, COLORREF b) {
            return std::abs(GetRValue(a) - GetRValue(b)) <= 3 && std::abs(GetGValue(a) - GetGValue(b)) <= 3 &&
                   std::abs(GetBValue(a) - GetBValue(b)) <= 3;
        };
        EXPECT_TRUE(near(GetPixel(mem, 5, 2), c.leftShown)) << c.name << " " << std::hex << GetPixel(mem, 5, 2);
        EXPECT_TRUE(near(GetPixel(mem, 55, 27), c.rightShown)) << c.name << " " << std::hex << GetPixel(mem, 55, 27);
        SelectObject(mem, old);
        DeleteDC(mem);
        DeleteObject(bitmap);
        // Only the reader of the given code is tried.
        const int other = c.format == CXIMAGE_FORMAT_PNG ? CXIMAGE_FORMAT_BMP : CXIMAGE_FORMAT_PNG;
        EXPECT_FALSE(CxImage(Windows(c.name), static_cast<DWORD>(other)).IsValid()) << c.name;
    }
}

TEST_F(Picture, LibraryRefusesHugeImagesAndBadSizes) {
    ASSERT_TRUE(image_test::WriteImage((folder / "huge.png").string(), CXIMAGE_FORMAT_PNG, 24, 20000, 10,
                                       [](int, int) { return kRed; }));
    EXPECT_FALSE(CxImage(Windows("huge.png"), CXIMAGE_FORMAT_PNG).IsValid());
    EXPECT_EQ(CxImage().MakeBitmap(nullptr), nullptr);

    CxImage image(Write("halves.png", CXIMAGE_FORMAT_PNG, 40, 20), CXIMAGE_FORMAT_PNG);
    ASSERT_TRUE(image.IsValid());
    for (auto [w, h] : {std::pair{0L, 10L}, {10L, -1L}, {-5L, -5L}}) {
        EXPECT_FALSE(image.Resample(w, h, 1)) << w << "x" << h;
        EXPECT_EQ(image.GetWidth(), 40u);
        EXPECT_EQ(image.GetHeight(), 20u);
    }
    CxImage copy;
    ASSERT_TRUE(image.Resample(8, 4, 1, &copy));
    EXPECT_EQ(image.GetWidth(), 40u);
    EXPECT_EQ(copy.GetWidth(), 8u);
    EXPECT_EQ(copy.GetHeight(), 4u);
    ASSERT_TRUE(image.Resample(10, 5, 1));
    EXPECT_EQ(image.GetWidth(), 10u);
}

namespace {

uint32_t Crc32(const unsigned char* data, size_t n) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
}

// A small PNG whose header claims another size: its IHDR chunk rewritten.
bool ClaimSize(const std::string& path, uint32_t w, uint32_t h) {
    std::string bytes;
    {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const size_t ihdr = bytes.find("IHDR");
    if (ihdr == std::string::npos || bytes.size() < ihdr + 21) return false;
    auto put = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + static_cast<size_t>(i)] = static_cast<char>((v >> (24 - 8 * i)) & 0xFF);
    };
    put(ihdr + 4, w);
    put(ihdr + 8, h);
    put(ihdr + 17, Crc32(reinterpret_cast<const unsigned char*>(bytes.data() + ihdr), 17));
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return true;
}

}  // namespace

// A picture larger than the panel can sensibly show (more than 4096 pixels on
// a side) is refused with the picture message, from its header alone: a file
// of a few hundred bytes claiming 16384 x 16384 costs nothing.
TEST_F(Picture, PicturesOverTheSaneSizeAreRefusedFromTheirHeader) {
    Show(Write("piccola.png", CXIMAGE_FORMAT_PNG, 400, 200));
    const HBITMAP shown = control.GetBitmap();
    ASSERT_NE(shown, nullptr);
    const CString wide = Write("larga.png", CXIMAGE_FORMAT_PNG, 4097, 64);
    const CString claims = Write("finta.png", CXIMAGE_FORMAT_PNG, 20, 10);
    ASSERT_TRUE(ClaimSize((folder / "finta.png").string(), 16384, 16384));
    const CString edge = Write("limite.png", CXIMAGE_FORMAT_PNG, 4096, 64);
    int w = 0, h = 0;
    ASSERT_TRUE(image_test::HeaderSize((folder / "finta.png").string(), w, h));
    EXPECT_EQ(std::pair(w, h), std::pair(16384, 16384));
    Script(L"msgbox ok\nmsgbox ok\n");
    Show(wide);
    Show(claims);
    EXPECT_EQ(control.GetBitmap(), shown);
    EXPECT_EQ(Placed().Height(), 50);
    Show(edge);  // fitted to 100 x 1
    EXPECT_EQ(Placed().Height(), 1);
    EXPECT_TRUE(Mismatches().empty());
    const auto& boxes = vplat::MessageBoxes::All();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, std::wstring(wide) + L" - Immagine non esistente o danneggiata.");
    EXPECT_EQ(boxes[1].text, std::wstring(claims) + L" - Immagine non esistente o danneggiata.");
}

// The pictures shipped beside the style file: one for every picture its legend
// names, each a landscape 320 x 240 JPEG the library reads.
TEST(ShippedPictures, EveryLegendPictureLoads) {
    const std::filesystem::path folder = std::filesystem::path(VORTANA_BIN) / "Junctor";
    std::ifstream in(folder / "Junctor.xml");
    const std::string xml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::set<std::string> names;
    for (size_t at = xml.find("<PATHIMG>"); at != std::string::npos; at = xml.find("<PATHIMG>", at + 1)) {
        const size_t start = at + 9;
        names.insert(xml.substr(start, xml.find('<', start) - start));
    }
    EXPECT_EQ(names.size(), 90u);
    for (const std::string& name : names) {
        std::wstring path = vplat::Utf8ToWide((folder / name).string());
        CxImage image(path.c_str(), CXIMAGE_FORMAT_JPG);
        ASSERT_TRUE(image.IsValid()) << name;
        EXPECT_EQ(image.GetWidth(), 320u) << name;
        EXPECT_EQ(image.GetHeight(), 240u) << name;
    }
}
