// Push buttons showing the image of BM_SETIMAGE: alone with BS_BITMAP, else
// left of the text with the pair centred; the button never deletes it.
#include <vector>

#include "UiFixture.h"

namespace {

class ButtonImage : public UiFixture {
protected:
    // A 16 x 16 red bitmap.
    static HBITMAP Red() {
        std::vector<uint32_t> bits(16 * 16, 0x00FF0000u);
        return CreateBitmap(16, 16, 1, 32, bits.data());
    }
    HWND Button(DWORD style, const wchar_t* text, int y) {
        return CreateWindowExW(0, L"Button", text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | style, 10, y, 100, 30, frame,
                               nullptr, nullptr, nullptr);
    }
    // The columns of a button's middle row that are red, and the first dark one.
    static void Scan(HWND b, int* redFrom, int* redTo, int* darkFrom) {
        *redFrom = *redTo = *darkFrom = -1;
        for (int x = 0; x < 100; ++x) {
            COLORREF c = vplat::SnapshotPixel(b, x, 15);
            if (c == RGB(255, 0, 0)) {
                if (*redFrom < 0) *redFrom = x;
                *redTo = x;
            } else if (*darkFrom < 0 && *redFrom >= 0 && GetRValue(c) < 100 && GetGValue(c) < 100) {
                *darkFrom = x;
            }
        }
    }
    void SetUp() override {
        UiFixture::SetUp();
        frame = Keep(CreateWindowExW(0, L"Static", L"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr, nullptr,
                                     nullptr));
    }
    HWND frame = nullptr;
};

}  // namespace

TEST_F(ButtonImage, ImageAloneOrLeftOfTheText) {
    HBITMAP red = Red();
    HWND alone = Button(BS_BITMAP, L"ignored", 10);
    HWND withText = Button(0, L">>", 50);
    EXPECT_EQ(SendMessageW(alone, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(red)), 0);
    SendMessageW(withText, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(red));
    vplat::UserInput::Pump();
    int from, to, dark;
    Scan(alone, &from, &to, &dark);
    EXPECT_EQ(from, 42);  // centred: (100 - 16) / 2
    EXPECT_EQ(to, 57);
    EXPECT_EQ(dark, -1);  // no text
    Scan(withText, &from, &to, &dark);
    EXPECT_EQ(to - from, 15);
    ASSERT_GT(dark, to);  // the text follows the image
    EXPECT_GE(dark - to - 1, 4);
    EXPECT_LT(from, 42);  // the pair is centred, so the image moved left
    EXPECT_EQ(reinterpret_cast<HBITMAP>(SendMessageW(withText, BM_GETIMAGE, IMAGE_BITMAP, 0)), red);
    DestroyWindow(alone);
    DestroyWindow(withText);
    BITMAP bm{};
    EXPECT_NE(GetObjectW(red, sizeof bm, &bm), 0);  // still the caller's
    DeleteObject(red);
}
