// Run-time classes, exception reports, OLE start-up, the registry, string
// resources and image lists.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <new>

#include "PlatformFixture.h"

namespace {

class CShape : public CObject {
    DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CSquare : public CShape {
    DECLARE_DYNCREATE(CSquare)

public:
    static bool failNext;
    CSquare() {
        if (failNext) {
            failNext = false;
            throw std::bad_alloc();
        }
    }
};
bool CSquare::failNext = false;
IMPLEMENT_DYNCREATE(CSquare, CShape)

class FrameworkStandIns : public PlatformFixture {};

std::wstring QueryString(HKEY root, const wchar_t* path, const wchar_t* name, LONG* result) {
    HKEY key = nullptr;
    *result = RegOpenKeyExW(root, path, 0, KEY_READ, &key);
    if (*result != ERROR_SUCCESS) return L"";
    wchar_t buffer[300] = {};
    DWORD size = sizeof buffer, type = REG_NONE;
    *result = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    if (*result == ERROR_SUCCESS) {
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    }
    return buffer;
}

}  // namespace

TEST_F(FrameworkStandIns, RunTimeClassesFromTheRoot) {
    CSquare square;
    const CObject& object = square;
    EXPECT_EQ(object.GetRuntimeClass(), RUNTIME_CLASS(CSquare));
    EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(object.IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_STREQ(RUNTIME_CLASS(CSquare)->m_lpszClassName, "CSquare");

    std::unique_ptr<CObject> made(RUNTIME_CLASS(CSquare)->CreateObject());
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CSquare)));
    EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);  // not creatable by its class

    // Out of memory comes as the framework's exception.
    CSquare::failNext = true;
    CException* caught = nullptr;
    try {
        RUNTIME_CLASS(CSquare)->CreateObject();
    } catch (CMemoryException* e) {
        caught = e;
    }
    ASSERT_NE(caught, nullptr);
    caught->Delete();
}

TEST_F(FrameworkStandIns, ExceptionsReportTheirText) {
    struct Case {
        CException* exception;
        const wchar_t* text;
    } cases[] = {{new CMemoryException(), L"Out of memory."},
                 {new CResourceException(), L"A required resource was unavailable."},
                 {new CException(), L"No error message is available."}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.exception->ReportError(), IDOK);
        c.exception->Delete();
    }
    ASSERT_EQ(vplat::MessageBoxes::All().size(), 3u);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(vplat::MessageBoxes::All()[i].text, cases[i].text);
    CResourceException* thrown = nullptr;
    try {
        AfxThrowResourceException();
    } catch (CResourceException* e) {
        thrown = e;
    }
    ASSERT_NE(thrown, nullptr);
    thrown->Delete();
}

TEST_F(FrameworkStandIns, OleStartsOncePerThread) {
    EXPECT_TRUE(AfxOleInit());
    EXPECT_TRUE(vplat::Ole::IsInitialized());
    EXPECT_TRUE(AfxOleInit());
    vplat::Ole::FailInit(true);
    EXPECT_FALSE(AfxOleInit());
    EXPECT_FALSE(vplat::Ole::IsInitialized());
    vplat::Ole::FailInit(false);
    EXPECT_TRUE(AfxOleInit());
}

TEST_F(FrameworkStandIns, RegistryHoldsOnlyTheKnownKeys) {
    LONG result = 0;
    EXPECT_EQ(QueryString(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"WheelScrollLines", &result), L"3");
    EXPECT_EQ(result, ERROR_SUCCESS);
    EXPECT_EQ(QueryString(HKEY_CURRENT_USER, L"control panel\\DESKTOP", L"wheelscrolllines", &result), L"3");
    QueryString(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"WheelScrollChars", &result);
    EXPECT_EQ(result, ERROR_FILE_NOT_FOUND);
    QueryString(HKEY_CURRENT_USER, L"Software\\Vortana", L"", &result);
    EXPECT_EQ(result, ERROR_FILE_NOT_FOUND);
    QueryString(HKEY_LOCAL_MACHINE, L"Control Panel\\Desktop", L"WheelScrollLines", &result);
    EXPECT_EQ(result, ERROR_FILE_NOT_FOUND);

    // The help control's in-process server is the host's copy.
    std::wstring server = QueryString(
        HKEY_CLASSES_ROOT, L"CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32", nullptr, &result);
    EXPECT_EQ(result, ERROR_SUCCESS);
    std::wstring host = vplat::Modules::HostPath();
    EXPECT_EQ(server, host.substr(0, host.find_last_of(L'\\') + 1) + L"hhctrl.ocx");
    HMODULE control = LoadLibraryW(server.c_str());
    EXPECT_NE(control, nullptr);
    FreeLibrary(control);

    // A buffer too small is told the size it needs; a closed key is gone.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_READ, &key), ERROR_SUCCESS);
    BYTE small[2];
    DWORD size = sizeof small;
    EXPECT_EQ(RegQueryValueExW(key, L"WheelScrollLines", nullptr, nullptr, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 2 * sizeof(wchar_t));
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
}

TEST_F(FrameworkStandIns, StringResources) {
    static const wchar_t kText[] = L"Riga %d di %d";
    static const vplat::ResourceEntry entries[] = {{RT_STRING, 120, kText}};
    static const vplat::ResourceTable table = {L"prova", entries, 1};
    HMODULE host = GetModuleHandleW(nullptr);
    vplat::Resources::Register(host, &table);
    wchar_t buffer[8];
    EXPECT_EQ(LoadStringW(host, 120, buffer, 8), 7);
    EXPECT_STREQ(buffer, L"Riga %d");
    EXPECT_EQ(LoadStringW(host, 121, buffer, 8), 0);
    vplat::Resources::Register(host, nullptr);
}

// Images are copied side by side; the mask colour stays transparent when drawn.
TEST_F(FrameworkStandIns, ImageListsDrawWithTheirMask) {
    CDC source;
    source.CreateCompatibleDC(nullptr);
    CBitmap strip;
    strip.CreateCompatibleBitmap(&source, 8, 4);
    CBitmap* old = source.SelectObject(&strip);
    source.FillSolidRect(0, 0, 8, 4, RGB(255, 0, 255));  // the mask colour
    source.FillSolidRect(1, 1, 2, 2, RGB(0, 0, 200));     // first image
    source.FillSolidRect(4, 0, 4, 4, RGB(0, 200, 0));     // second image, solid
    source.SelectObject(old);

    CImageList images;
    ASSERT_TRUE(images.Create(4, 4, ILC_COLOR32 | ILC_MASK, 1, 1));
    EXPECT_EQ(images.Add(&strip, RGB(255, 0, 255)), 0);
    EXPECT_EQ(images.GetImageCount(), 2);
    IMAGEINFO info{};
    ASSERT_TRUE(images.GetImageInfo(1, &info));
    EXPECT_EQ(CRect(info.rcImage), CRect(4, 0, 8, 4));
    EXPECT_FALSE(images.GetImageInfo(2, &info));

    CDC target;
    target.CreateCompatibleDC(nullptr);
    CBitmap canvas;
    canvas.CreateCompatibleBitmap(&target, 10, 10);
    CBitmap* previous = target.SelectObject(&canvas);
    target.FillSolidRect(0, 0, 10, 10, RGB(255, 255, 255));
    EXPECT_TRUE(images.Draw(&target, 0, CPoint(2, 2), ILD_NORMAL));
    EXPECT_EQ(target.GetPixel(3, 3), RGB(0, 0, 200));
    EXPECT_EQ(target.GetPixel(2, 2), RGB(255, 255, 255));  // masked: left as it was
    EXPECT_TRUE(images.Draw(&target, 1, CPoint(6, 6), ILD_NORMAL));
    EXPECT_EQ(target.GetPixel(6, 6), RGB(0, 200, 0));
    EXPECT_FALSE(images.Draw(&target, 5, CPoint(0, 0), ILD_NORMAL));
    target.SelectObject(previous);
}
