// The main intersection dialog's template and the picture button's bitmaps,
// as the module's resources give them.
#include "../../junctor/ui/Resource.h"
#include "ParTreeFixture.h"

using namespace partree_test;

namespace {

using JunctorTemplate = JunctorModuleFixture;

CRect ClientRectOf(HWND dlg, int id) {
    CRect r;
    GetWindowRect(GetDlgItem(dlg, id), &r);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<LPPOINT>(&r), 2);
    return r;
}

}  // namespace

TEST_F(JunctorTemplate, LayoutOfTheMainDialog) {
    CDialog dlg(IDD_JUNCTOR);
    vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
        CRect client;
        GetClientRect(d, &client);
        EXPECT_EQ(client.Size(), CSize(642, 509));
        // The parameter tree goes 20 pixels inside this group box: (304, 96, 567, 440).
        EXPECT_EQ(ClientRectOf(d, IDC_GROUP_PARAMETRI), CRect(284, 76, 587, 460));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, IDC_BUTTON_ANTEPRIMA)));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, IDC_IMMAGINE)));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, IDC_CORNICE)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_COMBO_METODO)));
        wchar_t cls[64];
        GetClassNameW(GetDlgItem(d, IDC_LIST_STRADE), cls, 64);
        EXPECT_STREQ(cls, L"SysListView32");
        EXPECT_EQ(Text(d), L"Intersezioni a raso");
    });
    Script(L"dialog 7001 click 2\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(Mismatches().empty());
}

TEST_F(JunctorTemplate, PictureButtonBitmaps) {
    for (int id : {IDB_IMMAGINE_CHIUSA, IDB_IMMAGINE_APERTA}) {
        HBITMAP b = LoadBitmapW(kJunctor, MAKEINTRESOURCEW(id));
        ASSERT_NE(b, nullptr) << id;
        BITMAP bm{};
        GetObjectW(b, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, 16);
        EXPECT_EQ(bm.bmHeight, 16);
        DeleteObject(b);
    }
}
