// Inside the window manager: the window records and the services the
// standard controls, the dialog manager and GDI share. Not for module code.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "WinGdi.h"
#include "WinResource.h"
#include "WinUser.h"

namespace vplat::win {

struct WindowClass {
    std::wstring name;
    HINSTANCE instance = nullptr;
    WNDCLASSW wc{};
    bool system = false;
};

struct ScrollBar {
    int min = 0;
    int max = 100;
    int page = 0;
    int pos = 0;
    int track = 0;
    bool enabled = true;
};

// State a standard control keeps beside its window.
struct ControlState {
    virtual ~ControlState() = default;
};

struct DialogState {
    const DLGTEMPLATE* tmpl = nullptr;
    int templateId = 0;
    HFONT font = nullptr;
    bool ownFont = false;
    int baseX = 6;
    int baseY = 13;
    int defId = 0;
    bool ended = false;
    INT_PTR result = 0;
    bool shownToUser = false;
    HWND lastFocus = nullptr;
};

struct Window {
    HWND handle = nullptr;
    WindowClass* cls = nullptr;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;  // child windows only
    HWND owner = nullptr;   // popups
    std::vector<HWND> children;  // top of the z-order first
    RECT rect{};                 // child: in the parent's client coordinates; else screen
    std::wstring text;
    LONG_PTR id = 0;
    HINSTANCE instance = nullptr;
    LONG_PTR userData = 0;
    std::vector<LONG_PTR> extra;
    std::map<std::wstring, HANDLE> props;
    bool hasUpdate = false;
    RECT update{};
    bool erase = false;
    bool frameDirty = false;
    bool painting = false;
    ScrollBar hbar, vbar;
    HICON iconSmall = nullptr;
    HICON iconBig = nullptr;
    HMENU menu = nullptr;  // a top-level window's menu bar
    bool destroying = false;
    std::unique_ptr<ControlState> control;
    std::unique_ptr<DialogState> dialog;
};

Window* Find(HWND hwnd);
Window& Desktop();
bool IsTopLevel(const Window* w);
HWND TopLevelOf(HWND hwnd);
// Window rectangle and client rectangle of a window in its top-level window's
// coordinates (the top-level window's own top-left corner is 0,0).
RECT WindowRectInTop(HWND hwnd);
RECT ClientRectInTop(HWND hwnd);
// Client area inside the window rectangle (window coordinates).
RECT ClientInWindow(const Window* w);
int CaptionHeight(const Window* w);
// The part of a window a device context may draw on, in top-level coordinates:
// its client (or window) rectangle cut by every ancestor's client area; empty
// when the window or an ancestor is hidden.
RECT VisibleInTop(HWND hwnd, bool wholeWindow);
bool IsShown(HWND hwnd);

// Paints one window now when it has something to paint (WM_NCPAINT, WM_PAINT).
void PaintNow(HWND hwnd);
// Paints a window and its children, parents first.
void PaintTree(HWND hwnd);

// Hooks the framework uses to attach its objects to windows.
using CreateHook = std::function<void(HWND, CREATESTRUCTW*)>;
void SetCreateHook(CreateHook hook);
using DestroyHook = std::function<void(HWND)>;
void AddDestroyHook(DestroyHook hook);

// Standard classes.
void RegisterSystemClasses();
LRESULT ButtonProc(HWND, UINT, WPARAM, LPARAM);
LRESULT StaticProc(HWND, UINT, WPARAM, LPARAM);
LRESULT EditProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ComboProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ListViewProc(HWND, UINT, WPARAM, LPARAM);
// Where a click reaches a list view's item (its text, or its check box); false
// when the item is missing or not shown, or the list has no check boxes.
bool ListViewItemPoint(HWND list, int index, bool checkBox, POINT* point);
LRESULT DialogProc(HWND, UINT, WPARAM, LPARAM);
// A choice from a combo box's list, as the user makes it.
void ComboChoose(HWND combo, int index);

// Non-client painting and hit testing of the default window procedure.
void PaintFrame(HWND hwnd);
LRESULT HitTestFrame(HWND hwnd, POINT screen);
// The parts of a window's vertical scroll bar, in window coordinates.
RECT VScrollRect(const Window* w);
// The horizontal bar below the client area, in window coordinates.
RECT HScrollRect(const Window* w);

// Colours a control asks of its parent (WM_CTLCOLOR*); returns the brush.
HBRUSH ControlColours(HWND control, HDC hdc, UINT msg);
HFONT ControlFont(HWND control);
// The dialog that holds a control, or null.
HWND DialogOf(HWND control);
void DialogFocusChanged(HWND dialog, HWND focus);
bool IsPushButton(HWND hwnd);

void ForgetWindowSurface(HWND hwnd);

// The font the controls use when given none.
HFONT DefaultGuiFont();
std::wstring StripPrefix(const std::wstring& text);

// Drawing helpers for the controls.
void FillSys(HDC hdc, const RECT& r, int colour);
void DrawTextIn(HDC hdc, const std::wstring& text, RECT r, UINT format, COLORREF colour);

}  // namespace vplat::win
