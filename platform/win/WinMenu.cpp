// Popup menus: the entries a program appends, and tracking, in which the input
// script plays the person who picks an entry.
#include "WinMenu.h"

#include <cwctype>
#include <map>
#include <memory>
#include <vector>

#include "HostScript.h"
#include "HostTranscript.h"
#include "WinWindowImpl.h"

namespace {

struct Entry {
    UINT flags = 0;
    UINT_PTR id = 0;
    std::wstring text;
};

struct Menu {
    std::vector<Entry> entries;
};

struct Menus {
    std::map<HMENU, std::unique_ptr<Menu>> all;
    uintptr_t next = 0x6D000;
};

Menus& M() {
    static Menus m;
    return m;
}

Menu* Find(HMENU h) {
    auto it = M().all.find(h);
    return it == M().all.end() ? nullptr : it->second.get();
}

HMENU SubOf(const Entry& e) { return (e.flags & MF_POPUP) ? reinterpret_cast<HMENU>(e.id) : nullptr; }

// The entry an item names, by position or by command (searching sub-menus).
Entry* Locate(HMENU h, UINT item, UINT flags) {
    Menu* m = Find(h);
    if (!m) return nullptr;
    if (flags & MF_BYPOSITION) return item < m->entries.size() ? &m->entries[item] : nullptr;
    for (Entry& e : m->entries) {
        if (HMENU sub = SubOf(e)) {
            if (Entry* found = Locate(sub, item, flags)) return found;
        } else if (!(e.flags & MF_SEPARATOR) && e.id == item) {
            return &e;
        }
    }
    return nullptr;
}

// The text a person reads: without the '&' marks ("&&" is one '&').
std::wstring Shown(const std::wstring& text) {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) ++i;
        else if (text[i] == L'&') continue;
        out.push_back(text[i]);
    }
    return out;
}

bool SameNoCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return true;
}

std::wstring Listing(const Menu& m) {
    std::wstring out;
    for (const Entry& e : m.entries) {
        if (!out.empty()) out += L" | ";
        std::wstring t = (e.flags & MF_SEPARATOR) ? L"-" : Shown(e.text);
        if (SubOf(e)) t += L" >";
        out += (e.flags & (MF_GRAYED | MF_DISABLED)) ? L"[" + t + L"]" : t;
    }
    return out;
}

// The entry a person names: the exact text first, then without regard to case.
const Entry* Named(const Menu& m, const std::wstring& name) {
    for (int pass = 0; pass < 2; ++pass)
        for (const Entry& e : m.entries) {
            if (e.flags & MF_SEPARATOR) continue;
            std::wstring t = Shown(e.text);
            if (pass == 0 ? t == name : SameNoCase(t, name)) return &e;
        }
    return nullptr;
}

// Tracks a menu: the chosen command, or 0 when the person cancelled.
UINT Track(HMENU h, UINT flags, HWND owner) {
    Menu* m = Find(h);
    if (!m || !IsWindow(owner)) return 0;
    // The menu takes the mouse: whoever holds the capture loses it.
    if (GetCapture()) ReleaseCapture();
    SendMessageW(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(h), MAKELPARAM(0, FALSE));
    if (!(m = Find(h))) return 0;
    vplat::Script& script = vplat::Script::Get();
    std::wstring listing = Listing(*m);
    std::optional<std::wstring> line = script.Take(L"popup", L"popup menu: " + listing);
    std::wstring choice = L"<cancel>";
    UINT result = 0;
    if (line && *line != L"<cancel>") {
        const Entry* e = Named(*m, *line);
        if (!e) {
            script.Mismatch(L"\"popup " + *line + L"\": the menu holds no such entry (" + listing + L")");
        } else if (SubOf(*e)) {
            script.Mismatch(L"\"popup " + *line + L"\": the entry opens a sub-menu");
        } else if (e->flags & (MF_GRAYED | MF_DISABLED)) {
            script.Mismatch(L"\"popup " + *line + L"\": the entry is disabled");
        } else {
            choice = Shown(e->text);
            result = static_cast<UINT>(e->id);
        }
    }
    vplat::Transcript::Get().Event("popup", listing + L" -> " + choice);
    if (result && !(flags & TPM_RETURNCMD)) PostMessageW(owner, WM_COMMAND, MAKEWPARAM(result, 0), 0);
    return result;
}

bool Disabled(const Entry& e) { return (e.flags & (MF_GRAYED | MF_DISABLED)) != 0; }

// Pixels left and right of each title of a menu bar.
constexpr int kBarPadding = 6;

}  // namespace

namespace vplat::win {

bool ChooseFromMenuBar(HWND hwnd, const std::wstring& path, std::wstring* why) {
    HMENU bar = GetMenu(hwnd);
    if (!::Find(bar)) {
        *why = L"the window has no menu bar";
        return false;
    }
    size_t slash = path.find(L'/');
    if (slash == std::wstring::npos) {
        *why = L"menu takes POPUP/ENTRY";
        return false;
    }
    std::wstring popupName = path.substr(0, slash), entryName = path.substr(slash + 1);
    SendMessageW(hwnd, WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0);
    Menu* m = ::Find(bar);
    const Entry* popup = m ? Named(*m, popupName) : nullptr;
    if (!popup || !SubOf(*popup)) {
        *why = L"the menu bar holds no popup \"" + popupName + L"\" (" + (m ? Listing(*m) : L"") + L")";
        return false;
    }
    if (Disabled(*popup)) {
        *why = L"the popup \"" + popupName + L"\" is disabled";
        return false;
    }
    HMENU sub = SubOf(*popup);
    int index = static_cast<int>(popup - m->entries.data());
    SendMessageW(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), MAKELPARAM(index, FALSE));
    Menu* s = ::Find(sub);
    const Entry* e = s ? Named(*s, entryName) : nullptr;
    if (!e) {
        *why = L"the popup \"" + popupName + L"\" holds no entry \"" + entryName + L"\" (" + (s ? Listing(*s) : L"") + L")";
        return false;
    }
    if (SubOf(*e)) {
        *why = L"the entry opens a sub-menu";
        return false;
    }
    if (Disabled(*e)) {
        *why = L"the entry is disabled";
        return false;
    }
    PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(e->id, 0), 0);
    return true;
}

void PaintMenuBar(HWND hwnd, HDC hdc, const RECT& band) {
    FillRect(hdc, &band, GetSysColorBrush(COLOR_MENU));
    Menu* m = ::Find(GetMenu(hwnd));
    if (!m) return;
    HGDIOBJ old = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(hdc, TRANSPARENT);
    int x = band.left;
    for (const Entry& e : m->entries) {
        std::wstring shown = Shown(e.text);
        SIZE size{};
        GetTextExtentPoint32W(hdc, shown.c_str(), static_cast<int>(shown.size()), &size);
        RECT cell{x, band.top, x + size.cx + 2 * kBarPadding, band.bottom};
        SetTextColor(hdc, GetSysColor(Disabled(e) ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
        DrawTextW(hdc, e.text.c_str(), -1, &cell, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        x = cell.right;
    }
    SelectObject(hdc, old);
}

}  // namespace vplat::win

extern "C" {

HMENU CreateMenu() { return CreatePopupMenu(); }

HMENU LoadMenuW(HINSTANCE instance, LPCWSTR name) {
    HRSRC found = FindResourceW(instance, name, RT_MENU);
    if (!found) return nullptr;
    const auto* t = static_cast<const MENUTEMPLATE*>(LockResource(LoadResource(instance, found)));
    if (!t) return nullptr;
    HMENU bar = CreateMenu();
    for (int p = 0; p < t->popupCount; ++p) {
        const MENUPOPUPTEMPLATE& popup = t->popups[p];
        HMENU sub = CreatePopupMenu();
        for (int i = 0; i < popup.itemCount; ++i)
            AppendMenuW(sub, popup.items[i].flags, popup.items[i].id, popup.items[i].text);
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), popup.text);
    }
    return bar;
}

BOOL SetMenu(HWND hwnd, HMENU menu) {
    vplat::win::Window* w = vplat::win::Find(hwnd);
    if (!w || w->parent || (menu && !Find(menu))) return FALSE;
    w->menu = menu;
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

HMENU GetMenu(HWND hwnd) {
    vplat::win::Window* w = vplat::win::Find(hwnd);
    return w && !w->parent ? w->menu : nullptr;
}

BOOL DrawMenuBar(HWND hwnd) {
    if (!GetMenu(hwnd)) return FALSE;
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    return TRUE;
}

HMENU CreatePopupMenu() {
    HMENU h = reinterpret_cast<HMENU>(M().next += 4);
    M().all[h] = std::make_unique<Menu>();
    return h;
}

BOOL DestroyMenu(HMENU menu) {
    auto it = M().all.find(menu);
    if (it == M().all.end()) return FALSE;
    std::unique_ptr<Menu> m = std::move(it->second);
    M().all.erase(it);
    for (const Entry& e : m->entries)
        if (HMENU sub = SubOf(e)) DestroyMenu(sub);
    return TRUE;
}

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR text) {
    Menu* m = Find(menu);
    if (!m) return FALSE;
    if ((flags & MF_POPUP) && !Find(reinterpret_cast<HMENU>(id))) return FALSE;
    Entry e;
    e.flags = flags;
    e.id = (flags & MF_SEPARATOR) ? 0 : id;
    if (text && !(flags & MF_SEPARATOR)) e.text = text;
    m->entries.push_back(e);
    return TRUE;
}

UINT EnableMenuItem(HMENU menu, UINT item, UINT enable) {
    Entry* e = Locate(menu, item, enable);
    if (!e) return static_cast<UINT>(-1);
    UINT old = e->flags & (MF_GRAYED | MF_DISABLED);
    e->flags = (e->flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    return old;
}

int GetMenuItemCount(HMENU menu) {
    Menu* m = Find(menu);
    return m ? static_cast<int>(m->entries.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
    Menu* m = Find(menu);
    if (!m || position < 0 || position >= static_cast<int>(m->entries.size())) return static_cast<UINT>(-1);
    const Entry& e = m->entries[static_cast<size_t>(position)];
    return SubOf(e) ? static_cast<UINT>(-1) : static_cast<UINT>(e.id);
}

int GetMenuStringW(HMENU menu, UINT item, LPWSTR text, int max, UINT flags) {
    const Entry* e = Locate(menu, item, flags);
    if (!e) return 0;
    if (!text) return static_cast<int>(e->text.size());
    if (max <= 0) return 0;
    size_t n = std::min(e->text.size(), static_cast<size_t>(max - 1));
    e->text.copy(text, n);
    text[n] = 0;
    return static_cast<int>(n);
}

HMENU GetSubMenu(HMENU menu, int position) {
    Menu* m = Find(menu);
    if (!m || position < 0 || position >= static_cast<int>(m->entries.size())) return nullptr;
    return SubOf(m->entries[static_cast<size_t>(position)]);
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int, int, int, HWND owner, const RECT*) {
    if (!Find(menu) || !IsWindow(owner)) return FALSE;
    UINT id = Track(menu, flags, owner);
    // A cancelled menu is no failure; only the command asked for tells it.
    return (flags & TPM_RETURNCMD) ? static_cast<BOOL>(id) : TRUE;
}

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS) {
    return TrackPopupMenu(menu, flags, x, y, 0, owner, nullptr);
}

}  // extern "C"
