// Menus: popup menus built by the program and tracked at a point. The person's
// choice comes from the input script ("popup ENTRY", docs/input-script.md).
#pragma once

#include <string>

#include "WinGdi.h"
#include "WinResource.h"
#include "WinUser.h"

#define MF_STRING 0x0000u
#define MF_ENABLED 0x0000u
#define MF_BYCOMMAND 0x0000u
#define MF_GRAYED 0x0001u
#define MF_DISABLED 0x0002u
#define MF_POPUP 0x0010u
#define MF_BYPOSITION 0x0400u
#define MF_SEPARATOR 0x0800u

#define TPM_LEFTALIGN 0x0000u
#define TPM_LEFTBUTTON 0x0000u
#define TPM_RIGHTBUTTON 0x0002u
#define TPM_NONOTIFY 0x0080u
#define TPM_RETURNCMD 0x0100u

#define WM_INITMENU 0x0116
#define WM_INITMENUPOPUP 0x0117

struct TPMPARAMS {
    UINT cbSize;
    RECT rcExclude;
};
typedef TPMPARAMS* LPTPMPARAMS;

extern "C" {
// A menu bar (a window's menu: its entries are popups).
HMENU CreateMenu();
// A menu bar from a menu resource (MENUTEMPLATE) of the module.
HMENU LoadMenuW(HINSTANCE instance, LPCWSTR name);
// Gives a top-level window its menu bar (null takes it away); the bar takes
// SM_CYMENU pixels from the client area, and the window destroys it when it goes.
BOOL SetMenu(HWND hwnd, HMENU menu);
HMENU GetMenu(HWND hwnd);
BOOL DrawMenuBar(HWND hwnd);
HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU menu);
// MF_STRING (text), MF_SEPARATOR, MF_POPUP (id is the sub-menu, which the menu
// then owns), with MF_GRAYED or MF_DISABLED.
BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR text);
// The previous MF_GRAYED / MF_DISABLED bits, or (UINT)-1 for no such entry. By
// command the sub-menus are searched too.
UINT EnableMenuItem(HMENU menu, UINT item, UINT enable);
int GetMenuItemCount(HMENU menu);
// The command of an entry; 0 for a separator, (UINT)-1 for a sub-menu or no entry.
UINT GetMenuItemID(HMENU menu, int position);
// Copies the entry's text ('&' kept) up to max - 1 characters; the length copied,
// the whole length for a null buffer, 0 for no such entry.
int GetMenuStringW(HMENU menu, UINT item, LPWSTR text, int max, UINT flags);
HMENU GetSubMenu(HMENU menu, int position);
// The owner hears WM_INITMENUPOPUP, then the script chooses an entry. With
// TPM_RETURNCMD the entry's command is the result (0 when cancelled); otherwise
// WM_COMMAND (command, 0) is posted to the owner and the result is TRUE.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect);
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS params);
}

#define AppendMenu AppendMenuW
#define LoadMenu LoadMenuW

namespace vplat::win {
// A person's choice from a window's menu bar, "POPUP/ENTRY" by the texts shown
// (exact, else without regard to case): WM_INITMENU and WM_INITMENUPOPUP, then
// WM_COMMAND with the entry's command is posted. False with the reason when
// the bar holds no such enabled entry.
bool ChooseFromMenuBar(HWND hwnd, const std::wstring& path, std::wstring* why);
// Paints a window's menu bar into the band given (window coordinates).
void PaintMenuBar(HWND hwnd, HDC windowDc, const RECT& band);
}  // namespace vplat::win
#define GetMenuString GetMenuStringW
