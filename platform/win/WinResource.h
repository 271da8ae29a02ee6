// A module's resources: dialog templates, icons, bitmaps and cursors kept in
// a table inside the module, found through the module handle.
//
// A module publishes its table under the exported name "vplatResourceSection"
// (a `const vplat::ResourceTable`); FindResourceW looks it up in the module the
// handle names, and only there. A handle without the resource fails: the lookup
// answers null and the transcript shows which resource was missing where.
#pragma once

#include <string>

#include "WinUser.h"

#define RT_CURSOR MAKEINTRESOURCEW(1)
#define RT_BITMAP MAKEINTRESOURCEW(2)
#define RT_ICON MAKEINTRESOURCEW(3)
#define RT_MENU MAKEINTRESOURCEW(4)
#define RT_DIALOG MAKEINTRESOURCEW(5)
#define RT_STRING MAKEINTRESOURCEW(6)
#define RT_GROUP_ICON MAKEINTRESOURCEW(14)

#define ERROR_RESOURCE_DATA_NOT_FOUND 1812
#define ERROR_RESOURCE_TYPE_NOT_FOUND 1813
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814

#define LR_DEFAULTCOLOR 0x0000u
#define LR_LOADFROMFILE 0x0010u
#define LR_DEFAULTSIZE 0x0040u
#define LR_SHARED 0x8000u

// One control of a dialog template, in dialog units.
struct DLGITEMTEMPLATE {
    DWORD style;
    DWORD dwExtendedStyle;
    short x;
    short y;
    short cx;
    short cy;
    int id;
    LPCWSTR windowClass;  // "BUTTON", "EDIT", "STATIC", "COMBOBOX" or a registered class
    LPCWSTR title;
};

// A dialog template: the frame, its font and its controls in tab (and z) order.
struct DLGTEMPLATE {
    DWORD style;
    DWORD dwExtendedStyle;
    short x;
    short y;
    short cx;
    short cy;
    LPCWSTR title;
    LPCWSTR fontName;  // with DS_SETFONT
    WORD pointSize;
    const DLGITEMTEMPLATE* items;
    int itemCount;
    int resourceId;  // the id it is stored under (0 for a template built in memory)
};
typedef const DLGTEMPLATE* LPCDLGTEMPLATE;

// A menu resource: a menu bar of popups, each a list of entries. An entry is
// MF_STRING (with MF_GRAYED or MF_DISABLED) with its command, or MF_SEPARATOR.
struct MENUITEMTEMPLATE {
    UINT flags;
    UINT id;
    LPCWSTR text;
};
struct MENUPOPUPTEMPLATE {
    LPCWSTR text;
    const MENUITEMTEMPLATE* items;
    int itemCount;
};
struct MENUTEMPLATE {
    const MENUPOPUPTEMPLATE* popups;
    int popupCount;
};
typedef const MENUTEMPLATE* LPCMENUTEMPLATE;

namespace vplat {

// A picture: rows of characters, each character a colour of the palette
// ("." is transparent).
struct PixelArt {
    int width;
    int height;
    const char* const* rows;
    const char* keys;        // palette characters
    const COLORREF* colours; // their colours, in the same order
};

struct ResourceEntry {
    LPCWSTR type;  // RT_DIALOG, RT_GROUP_ICON, RT_BITMAP, RT_CURSOR, RT_MENU, RT_STRING
    int id;
    const void* data;  // DLGTEMPLATE, MENUTEMPLATE, PixelArt, or for a string the text (const wchar_t*)
};

struct ResourceTable {
    LPCWSTR moduleName;
    const ResourceEntry* entries;
    int count;
};

class Resources {
public:
    // Gives a module (or the host, GetModuleHandleW(nullptr)) a table without
    // an exported one, as tests do; null removes it.
    static void Register(HMODULE module, const ResourceTable* table);
    static const ResourceTable* TableOf(HMODULE module);
    static std::wstring TypeName(LPCWSTR type);
};

}  // namespace vplat

extern "C" {
HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL data);
DWORD SizeofResource(HMODULE module, HRSRC resource);
BOOL FreeResource(HGLOBAL data);
HANDLE LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int cx, int cy, UINT flags);
HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name);
// Copies the string resource (cut to the buffer, terminated); its length, 0 when missing.
int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax);
}
#define FindResource FindResourceW
#define LoadImage LoadImageW
#define LoadBitmap LoadBitmapW
#define LoadString LoadStringW
