// The dialog manager: dialogs from templates in dialog units, the default
// dialog procedure, keyboard navigation (IsDialogMessage) and modal loops.
#include <algorithm>

#include "HostScript.h"
#include "HostText.h"
#include "HostTranscript.h"
#include "WinInput.h"
#include "WinMessageLog.h"
#include "WinWindowImpl.h"

namespace vplat {
bool ScriptedUserAct(HWND dialog);
}

namespace vplat::win {

namespace {

DialogState* DS(HWND hwnd) {
    Window* w = Find(hwnd);
    return w ? w->dialog.get() : nullptr;
}

// The direct child of the dialog that holds a window (a combo box for its edit).
HWND ChildOfDialog(HWND dialog, HWND hwnd) {
    while (hwnd && GetParent(hwnd) != dialog) {
        Window* w = Find(hwnd);
        if (!w || !w->parent) return nullptr;
        hwnd = w->parent;
    }
    return hwnd;
}

bool Usable(HWND hwnd) {
    Window* w = Find(hwnd);
    return w && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED);
}

void SetDlgFocus(HWND dialog, HWND ctl) {
    (void)dialog;
    SetFocus(ctl);
    HWND focus = GetFocus();
    if (focus && (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)) SendMessageW(focus, EM_SETSEL, 0, -1);
}

std::vector<HWND> GroupOf(HWND dialog, HWND ctl) {
    Window* d = Find(dialog);
    std::vector<HWND> out;
    auto& kids = d->children;
    auto it = std::find(kids.begin(), kids.end(), ctl);
    if (it == kids.end()) return out;
    size_t start = static_cast<size_t>(it - kids.begin());
    while (start > 0 && !(Find(kids[start])->style & WS_GROUP)) --start;
    for (size_t i = start; i < kids.size(); ++i) {
        if (i > start && (Find(kids[i])->style & WS_GROUP)) break;
        out.push_back(kids[i]);
    }
    return out;
}

void Cancelled(HWND dialog) {
    DialogState* ds = DS(dialog);
    Transcript::Get().Event("dialog", std::to_wstring(ds ? ds->templateId : 0) +
                                          L" cancelled: the script holds no action for it");
}

ModalLoop::ShownHook& Hook() {
    static ModalLoop::ShownHook h;
    return h;
}

ModalLoop::ShownHook& IdleHook() {
    static ModalLoop::ShownHook h;
    return h;
}

}  // namespace

HWND DialogOf(HWND control) {
    for (Window* w = Find(control); w; w = Find(w->parent))
        if (w->dialog) return w->handle;
    return nullptr;
}

void DialogFocusChanged(HWND dialog, HWND focus) {
    DialogState* ds = DS(dialog);
    if (!ds) return;
    HWND child = ChildOfDialog(dialog, focus);
    if (child) ds->lastFocus = child;
    // A push button with the focus looks like the default button; otherwise
    // the dialog's default button does.
    HWND look = child && IsPushButton(child) ? child : GetDlgItem(dialog, ds->defId);
    for (HWND k : Find(dialog)->children) {
        if (!IsPushButton(k)) continue;
        bool want = k == look;
        bool has = (Find(k)->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        if (want != has) SendMessageW(k, BM_SETSTYLE, want ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
}

LRESULT DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) { return DefDlgProcW(hwnd, msg, wParam, lParam); }

}  // namespace vplat::win

using namespace vplat;
using namespace vplat::win;

namespace vplat {

bool ModalLoop::Idle(HWND dialog) {
    DialogState* ds = DS(dialog);
    if (!ds) return false;
    if (!ds->shownToUser) {
        ds->shownToUser = true;
        PaintTree(TopLevelOf(dialog));
        if (Hook()) Hook()(dialog, ds->templateId);
        return true;
    }
    // Directives before the next line (the clock) run now, so timers that
    // became due fire before the user acts.
    Script::Get().Remaining();
    if (TimersDue()) return true;
    if (IdleHook()) IdleHook()(dialog, ds->templateId);
    if (!IsWindow(dialog) || ModalLoop::Ended(dialog)) return true;
    return ScriptedUserAct(dialog);
}

void ModalLoop::SetShownHook(ShownHook hook) { Hook() = std::move(hook); }
void ModalLoop::SetIdleHook(ShownHook hook) { IdleHook() = std::move(hook); }

bool ModalLoop::Ended(HWND dialog, INT_PTR* result) {
    DialogState* ds = DS(dialog);
    if (!ds) return true;
    if (result) *result = ds->result;
    return ds->ended;
}

void ModalLoop::Cancel(HWND dialog) {
    Cancelled(dialog);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    if (IsWindow(dialog) && !Ended(dialog)) EndDialog(dialog, IDCANCEL);
}

}  // namespace vplat

extern "C" {

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL, DWORD exStyle) {
    if (!rect) return FALSE;
    Window probe;
    probe.style = style;
    probe.exStyle = exStyle;
    probe.rect = RECT{0, 0, 1000, 1000};
    RECT c = ClientInWindow(&probe);
    rect->left -= c.left;
    rect->top -= c.top;
    rect->right += 1000 - c.right;
    rect->bottom += 1000 - c.bottom;
    return TRUE;
}

LONG GetDialogBaseUnits() {
    LOGFONTW lf{};
    GetObjectW(DefaultGuiFont(), sizeof lf, &lf);
    SIZE s = TextMetrics::Extent(L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", lf);
    return MAKELONG((s.cx / 26 + 1) / 2, s.cy);
}

BOOL MapDialogRect(HWND dialog, LPRECT r) {
    DialogState* ds = DS(dialog);
    if (!ds || !r) return FALSE;
    r->left = MulDiv(r->left, ds->baseX, 4);
    r->right = MulDiv(r->right, ds->baseX, 4);
    r->top = MulDiv(r->top, ds->baseY, 8);
    r->bottom = MulDiv(r->bottom, ds->baseY, 8);
    return TRUE;
}

HWND CreateDialogIndirectParamW(HINSTANCE instance, const DLGTEMPLATE* t, HWND parent, DLGPROC proc, LPARAM param) {
    if (!t) return nullptr;
    auto ds = std::make_unique<DialogState>();
    ds->tmpl = t;
    ds->templateId = t->resourceId;
    LOGFONTW lf{};
    if ((t->style & DS_SETFONT) && t->fontName) {
        lf.lfHeight = -MulDiv(t->pointSize, 96, 72);
        lf.lfWeight = FW_NORMAL;
        std::wcsncpy(lf.lfFaceName, t->fontName, LF_FACESIZE - 1);
        ds->font = CreateFontIndirectW(&lf);
        ds->ownFont = true;
    } else {
        ds->font = DefaultGuiFont();
        GetObjectW(ds->font, sizeof lf, &lf);
    }
    // The dialog's base units: the average width of the letters and the height
    // of its font (docs/text-metrics.md).
    SIZE letters = TextMetrics::Extent(L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", lf);
    ds->baseX = (letters.cx / 26 + 1) / 2;
    ds->baseY = letters.cy;

    DWORD style = t->style & ~WS_VISIBLE;
    DWORD exStyle = t->dwExtendedStyle | WS_EX_CONTROLPARENT;
    if (t->style & DS_MODALFRAME) exStyle |= WS_EX_DLGMODALFRAME;
    RECT r{0, 0, MulDiv(t->cx, ds->baseX, 4), MulDiv(t->cy, ds->baseY, 8)};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    int width = r.right - r.left, height = r.bottom - r.top;
    POINT pos{MulDiv(t->x, ds->baseX, 4), MulDiv(t->y, ds->baseY, 8)};
    if (style & WS_CHILD) {
        // In the parent's client coordinates.
    } else if (t->style & DS_CENTER) {
        RECT o{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (parent && IsWindowVisible(parent)) GetWindowRect(parent, &o);
        pos = POINT{o.left + (o.right - o.left - width) / 2, o.top + (o.bottom - o.top - height) / 2};
    } else if (parent && parent != GetDesktopWindow()) {
        POINT o{0, 0};
        ClientToScreen(parent, &o);
        pos.x += o.x;
        pos.y += o.y;
    }
    HWND hwnd = CreateWindowExW(exStyle, L"#32770", t->title ? t->title : L"", style, pos.x, pos.y, width, height,
                                parent, nullptr, instance, reinterpret_cast<LPVOID>(param));
    if (!hwnd) return nullptr;
    Window* w = Find(hwnd);
    w->dialog = std::move(ds);
    DialogState* d = w->dialog.get();
    SetWindowLongPtrW(hwnd, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(d->font), FALSE);
    for (int i = 0; i < t->itemCount; ++i) {
        const DLGITEMTEMPLATE& it = t->items[i];
        RECT cr{it.x, it.y, it.x + it.cx, it.y + it.cy};
        MapDialogRect(hwnd, &cr);
        HWND ctl = CreateWindowExW(it.dwExtendedStyle, it.windowClass, it.title ? it.title : L"", it.style | WS_CHILD,
                                   cr.left, cr.top, cr.right - cr.left, cr.bottom - cr.top, hwnd,
                                   reinterpret_cast<HMENU>(static_cast<intptr_t>(it.id)), instance, nullptr);
        if (!ctl) {
            Transcript::Get().Event("dialog", std::to_wstring(d->templateId) + L": control " + std::to_wstring(it.id) +
                                                  L" of class " + (it.windowClass ? it.windowClass : L"?") +
                                                  L" could not be created");
            DestroyWindow(hwnd);
            return nullptr;
        }
        SendMessageW(ctl, WM_SETFONT, reinterpret_cast<WPARAM>(d->font), FALSE);
        if ((it.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && IsPushButton(ctl) && !d->defId) d->defId = it.id;
    }
    HWND first = GetNextDlgTabItem(hwnd, nullptr, FALSE);
    LRESULT focus = SendMessageW(hwnd, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param);
    if (!IsWindow(hwnd)) return nullptr;
    if (focus) {
        first = GetNextDlgTabItem(hwnd, nullptr, FALSE);
        if (first) SetDlgFocus(hwnd, first);
    }
    if (t->style & WS_VISIBLE) ShowWindow(hwnd, SW_SHOW);
    return hwnd;
}

HWND CreateDialogParamW(HINSTANCE instance, LPCWSTR name, HWND parent, DLGPROC proc, LPARAM param) {
    HRSRC r = FindResourceW(instance, name, RT_DIALOG);
    if (!r) return nullptr;
    return CreateDialogIndirectParamW(instance, static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(instance, r))),
                                      parent, proc, param);
}

INT_PTR DialogBoxIndirectParamW(HINSTANCE instance, const DLGTEMPLATE* t, HWND parent, DLGPROC proc, LPARAM param) {
    bool ownerWasEnabled = parent && IsWindowEnabled(parent);
    if (ownerWasEnabled) EnableWindow(parent, FALSE);
    HWND dlg = CreateDialogIndirectParamW(instance, t, parent, proc, param);
    if (!dlg) {
        if (ownerWasEnabled) EnableWindow(parent, TRUE);
        return -1;
    }
    ShowWindow(dlg, SW_SHOW);
    INT_PTR result = IDCANCEL;
    while (!ModalLoop::Ended(dlg, &result)) {
        MSG m;
        if (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessageW(dlg, &m)) {
                TranslateMessage(&m);
                DispatchMessageW(&m);
            }
            continue;
        }
        if (!ModalLoop::Idle(dlg)) ModalLoop::Cancel(dlg);
    }
    ModalLoop::Ended(dlg, &result);
    if (ownerWasEnabled) EnableWindow(parent, TRUE);
    DestroyWindow(dlg);
    return result;
}

INT_PTR DialogBoxParamW(HINSTANCE instance, LPCWSTR name, HWND parent, DLGPROC proc, LPARAM param) {
    HRSRC r = FindResourceW(instance, name, RT_DIALOG);
    if (!r) return -1;
    return DialogBoxIndirectParamW(instance, static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(instance, r))),
                                   parent, proc, param);
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    DialogState* ds = DS(dialog);
    if (!ds) return FALSE;
    if (!ds->ended) {
        Transcript::Get().Event("dialog", std::to_wstring(ds->templateId) + L" ended with " + std::to_wstring(result));
    }
    ds->ended = true;
    ds->result = result;
    ShowWindow(dialog, SW_HIDE);
    return TRUE;
}

LRESULT DefDlgProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = Find(hwnd);
    if (!w) return 0;
    if (auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(hwnd, DWLP_DLGPROC))) {
        SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, 0);
        INT_PTR r = proc(hwnd, msg, wParam, lParam);
        if (r) {
            switch (msg) {
            case WM_INITDIALOG:
            case WM_CTLCOLOREDIT:
            case WM_CTLCOLORSTATIC:
            case WM_CTLCOLORBTN:
            case WM_CTLCOLORDLG:
            case WM_CTLCOLORLISTBOX:
            case WM_CTLCOLORSCROLLBAR: return r;
            default: return GetWindowLongPtrW(hwnd, DWLP_MSGRESULT);
            }
        }
    }
    if (!IsWindow(hwnd)) return 0;
    DialogState* ds = w->dialog.get();
    switch (msg) {
    case WM_ERASEBKGND: {
        HDC hdc = reinterpret_cast<HDC>(wParam);
        HBRUSH b = reinterpret_cast<HBRUSH>(SendMessageW(hwnd, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(hwnd)));
        if (!b) b = GetSysColorBrush(COLOR_BTNFACE);
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(hdc, &r, b);
        return 1;
    }
    case WM_CLOSE: {
        HWND cancel = GetDlgItem(hwnd, IDCANCEL);
        if (cancel && !IsWindowEnabled(cancel)) {
            MessageBeep(0);
            return 0;
        }
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case DM_GETDEFID: return ds && ds->defId ? MAKELRESULT(ds->defId, DC_HASDEFID) : 0;
    case DM_SETDEFID:
        if (ds) {
            ds->defId = static_cast<int>(wParam);
            DialogFocusChanged(hwnd, GetFocus());
        }
        return TRUE;
    case WM_SETFOCUS:
        if (ds && ds->lastFocus && IsWindow(ds->lastFocus) && Usable(ds->lastFocus)) {
            SetFocus(ds->lastFocus);
        } else if (HWND first = GetNextDlgTabItem(hwnd, nullptr, FALSE)) {
            SetDlgFocus(hwnd, first);
        }
        return 0;
    case WM_SETFONT:
        SetPropW(hwnd, L"vplat.font", reinterpret_cast<HANDLE>(wParam));
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(GetPropW(hwnd, L"vplat.font"));
    case WM_NCDESTROY:
        if (ds && ds->ownFont) DeleteObject(ds->font);
        if (ds) ds->ownFont = false;
        return 0;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

HWND GetNextDlgTabItem(HWND dialog, HWND ctl, BOOL previous) {
    Window* d = Find(dialog);
    if (!d) return nullptr;
    std::vector<HWND> kids = d->children;
    if (kids.empty()) return nullptr;
    if (previous) std::reverse(kids.begin(), kids.end());
    HWND child = ctl ? ChildOfDialog(dialog, ctl) : nullptr;
    auto it = child ? std::find(kids.begin(), kids.end(), child) : kids.end();
    size_t start = it == kids.end() ? 0 : static_cast<size_t>(it - kids.begin()) + 1;
    for (size_t k = 0; k < kids.size(); ++k) {
        HWND c = kids[(start + k) % kids.size()];
        if (Usable(c) && (Find(c)->style & WS_TABSTOP)) return c;
    }
    return child;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND ctl, BOOL previous) {
    HWND child = ChildOfDialog(dialog, ctl);
    std::vector<HWND> group = GroupOf(dialog, child);
    if (group.empty()) return child;
    if (previous) std::reverse(group.begin(), group.end());
    auto it = std::find(group.begin(), group.end(), child);
    size_t start = static_cast<size_t>(it - group.begin()) + 1;
    for (size_t k = 0; k < group.size(); ++k) {
        HWND c = group[(start + k) % group.size()];
        if (Usable(c)) return c;
    }
    return child;
}

// Return presses the focused push button, else the default button (IDOK when
// none is set), unless the focused control wants the key; Esc is IDCANCEL;
// Tab and the arrows move the focus.
BOOL IsDialogMessageW(HWND dialog, LPMSG msg) {
    if (!msg || !IsWindow(dialog)) return FALSE;
    if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
    if (msg->message == WM_KEYDOWN) {
        LRESULT code = SendMessageW(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
        bool wantsAll = (code & DLGC_WANTALLKEYS) != 0;
        bool shift = GetKeyState(VK_SHIFT) < 0;
        switch (msg->wParam) {
        case VK_TAB:
            if (wantsAll || (code & DLGC_WANTTAB)) break;
            if (HWND next = GetNextDlgTabItem(dialog, GetFocus(), shift)) SetDlgFocus(dialog, next);
            return TRUE;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN: {
            if (wantsAll || (code & DLGC_WANTARROWS)) break;
            HWND next = GetNextDlgGroupItem(dialog, GetFocus(), msg->wParam == VK_LEFT || msg->wParam == VK_UP);
            if (next && next != ChildOfDialog(dialog, GetFocus())) {
                SetDlgFocus(dialog, next);
                if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) SendMessageW(next, BM_CLICK, 0, 0);
            }
            return TRUE;
        }
        case VK_RETURN: {
            if (wantsAll) break;
            HWND focus = GetFocus();
            int id;
            HWND button;
            if (focus && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) && IsWindowEnabled(focus)) {
                // The focused button itself, even when another child shares its id.
                id = GetDlgCtrlID(focus);
                button = focus;
            } else {
                LRESULT def = SendMessageW(dialog, DM_GETDEFID, 0, 0);
                id = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
                button = GetDlgItem(dialog, id);
            }
            if (button && !IsWindowEnabled(button)) {
                MessageBeep(0);
                return TRUE;
            }
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
            return TRUE;
        }
        case VK_ESCAPE: {
            if (wantsAll) break;
            HWND button = GetDlgItem(dialog, IDCANCEL);
            if (button && !IsWindowEnabled(button)) {
                MessageBeep(0);
                return TRUE;
            }
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(button));
            return TRUE;
        }
        default: break;
        }
    }
    TranslateMessage(msg);
    DispatchMessageW(msg);
    return TRUE;
}

LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND c = GetDlgItem(dialog, id);
    return c ? SendMessageW(c, msg, wParam, lParam) : 0;
}

BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) {
    HWND c = GetDlgItem(dialog, id);
    return c ? SetWindowTextW(c, text) : FALSE;
}

UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR text, int size) {
    HWND c = GetDlgItem(dialog, id);
    if (!c) {
        if (text && size > 0) text[0] = 0;
        return 0;
    }
    return static_cast<UINT>(GetWindowTextW(c, text, size));
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
    std::wstring s = isSigned ? std::to_wstring(static_cast<int>(value)) : std::to_wstring(value);
    return SetDlgItemTextW(dialog, id, s.c_str());
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
    wchar_t buf[64];
    GetDlgItemTextW(dialog, id, buf, 64);
    wchar_t* end = nullptr;
    const wchar_t* p = buf;
    while (*p == L' ') ++p;
    long long v = std::wcstoll(p, &end, 10);
    bool ok = end != p && (isSigned || v >= 0);
    while (ok && *end == L' ') ++end;
    ok = ok && *end == 0;
    if (translated) *translated = ok;
    return ok ? static_cast<UINT>(v) : 0;
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    HWND c = GetDlgItem(dialog, id);
    if (!c) return FALSE;
    SendMessageW(c, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    HWND c = GetDlgItem(dialog, id);
    return c ? static_cast<UINT>(SendMessageW(c, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND dialog, int first, int last, int check) {
    for (int id = first; id <= last; ++id)
        if (HWND c = GetDlgItem(dialog, id)) SendMessageW(c, BM_SETCHECK, id == check ? BST_CHECKED : BST_UNCHECKED, 0);
    return TRUE;
}

}  // extern "C"
