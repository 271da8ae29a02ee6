// The scripted user: acts in the open modal dialog as the input script says
// ("dialog <template> <action> ...", docs/input-script.md).
#include <algorithm>
#include <cwctype>
#include <map>
#include <optional>
#include <sstream>

#include "HostScript.h"
#include "HostText.h"
#include "HostTranscript.h"
#include "WinInput.h"
#include "WinMenu.h"
#include "WinWindowImpl.h"
#include "commctrl.h"

namespace vplat {

namespace {

std::wstring Upper(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towupper(c));
    return s;
}

bool ParseInt(const std::wstring& s, int* out) {
    wchar_t* end = nullptr;
    long v = std::wcstol(s.c_str(), &end, 10);
    if (s.empty() || *end != 0) return false;
    *out = static_cast<int>(v);
    return true;
}

// "RETURN", "SHIFT+TAB", "CTRL+C" ...
bool ParseKey(const std::wstring& name, UINT* vk, bool* shift, bool* ctrl) {
    std::wstring s = Upper(name);
    *shift = *ctrl = false;
    for (;;) {
        if (s.rfind(L"SHIFT+", 0) == 0) {
            *shift = true;
            s = s.substr(6);
        } else if (s.rfind(L"CTRL+", 0) == 0) {
            *ctrl = true;
            s = s.substr(5);
        } else {
            break;
        }
    }
    static const std::map<std::wstring, UINT> keys = {
        {L"RETURN", VK_RETURN}, {L"ENTER", VK_RETURN}, {L"ESCAPE", VK_ESCAPE}, {L"ESC", VK_ESCAPE},
        {L"TAB", VK_TAB},       {L"SPACE", VK_SPACE},  {L"UP", VK_UP},         {L"DOWN", VK_DOWN},
        {L"LEFT", VK_LEFT},     {L"RIGHT", VK_RIGHT},  {L"HOME", VK_HOME},     {L"END", VK_END},
        {L"PRIOR", VK_PRIOR},   {L"NEXT", VK_NEXT},    {L"DELETE", VK_DELETE}, {L"BACK", VK_BACK},
        {L"INSERT", VK_INSERT}, {L"F2", VK_F2},        {L"F4", VK_F4}};
    auto it = keys.find(s);
    if (it != keys.end()) {
        *vk = it->second;
        return true;
    }
    if (s.size() == 1 && ((s[0] >= L'A' && s[0] <= L'Z') || (s[0] >= L'0' && s[0] <= L'9'))) {
        *vk = s[0];
        return true;
    }
    return false;
}

POINT Centre(HWND hwnd) {
    RECT r;
    GetClientRect(hwnd, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void FocusAsDialog(HWND ctl) {
    SetFocus(ctl);
    HWND f = GetFocus();
    if (f && (SendMessageW(f, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)) SendMessageW(f, EM_SETSEL, 0, -1);
}

bool IsClass(HWND hwnd, const wchar_t* name) {
    wchar_t buf[64];
    GetClassNameW(hwnd, buf, 64);
    return vplat::EqualNoCase(buf, name);
}

// "7013/30000/12": control ids, one a step.
bool ParsePath(const std::wstring& text, std::vector<int>* out) {
    out->clear();
    size_t i = 0;
    for (;;) {
        size_t j = text.find(L'/', i);
        int id = 0;
        if (!ParseInt(text.substr(i, j == std::wstring::npos ? std::wstring::npos : j - i), &id)) return false;
        out->push_back(id);
        if (j == std::wstring::npos) return true;
        i = j + 1;
    }
}

bool ParsePoint(const std::wstring& text, POINT* p) {
    size_t comma = text.find(L',');
    int x = 0, y = 0;
    if (comma == std::wstring::npos || !ParseInt(text.substr(0, comma), &x) || !ParseInt(text.substr(comma + 1), &y))
        return false;
    *p = POINT{x, y};
    return true;
}

// Each step takes, among the children carrying the step's id, in the order they
// were made (a template's controls before those made at run time), the first
// from which the rest of the path can be followed.
HWND Follow(HWND from, const std::vector<int>& path, size_t step) {
    if (step == path.size()) return from;
    win::Window* w = win::Find(from);
    if (!w) return nullptr;
    std::vector<HWND> kids = w->children;
    std::sort(kids.begin(), kids.end(),
              [](HWND a, HWND b) { return reinterpret_cast<uintptr_t>(a) < reinterpret_cast<uintptr_t>(b); });
    for (HWND k : kids)
        if (GetDlgCtrlID(k) == path[step])
            if (HWND found = Follow(k, path, step + 1)) return found;
    return nullptr;
}

// A person reaches a window only when it and every window holding it, up to
// the dialog, are shown and enabled.
bool Reachable(HWND dialog, HWND hwnd) {
    for (HWND h = hwnd; h && h != dialog; h = GetParent(h)) {
        win::Window* w = win::Find(h);
        if (!w || !(w->style & WS_VISIBLE) || (w->style & WS_DISABLED)) return false;
    }
    return true;
}

}  // namespace

// One action. False when the script holds no action for this dialog.
bool ScriptedUserAct(HWND dialog) {
    win::Window* w = win::Find(dialog);
    if (!w || !w->dialog) return false;
    int id = w->dialog->templateId;
    Script& script = Script::Get();
    std::wstring request = L"dialog " + std::to_wstring(id) + L" \"" + w->text + L"\"";
    std::vector<ScriptLine> rest = script.Remaining();
    if (!rest.empty() && rest.front().kind == L"dialog") {
        std::wistringstream peek(rest.front().answer);
        int lineId = 0;
        peek >> lineId;
        if (lineId != id) {
            script.Mismatch(L"line " + std::to_wstring(rest.front().number) + L" is for dialog " +
                            std::to_wstring(lineId) + L", but " + request + L" is open");
            return false;
        }
    }
    std::optional<std::wstring> line = script.Take(L"dialog", request);
    if (!line) return false;
    std::wistringstream in(*line);
    int lineId = 0;
    std::wstring verb;
    in >> lineId >> verb;
    std::wstring rest1;
    std::getline(in, rest1);
    if (!rest1.empty() && rest1[0] == L' ') rest1.erase(0, 1);
    Transcript::Get().Event("dialog", std::to_wstring(id) + L" " + verb + (rest1.empty() ? L"" : L" " + rest1));
    auto bad = [&](const std::wstring& why) {
        script.Mismatch(L"\"dialog " + *line + L"\": " + why);
        return true;
    };
    if (verb == L"key") {
        UINT vk;
        bool shift, ctrl;
        if (!ParseKey(rest1, &vk, &shift, &ctrl)) return bad(L"unknown key");
        UserInput::Key(vk, shift, ctrl);
        return true;
    }
    if (verb == L"close") {
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        return true;
    }
    if (verb == L"idle") return true;
    if (verb == L"menu") {
        std::wstring why;
        if (!win::ChooseFromMenuBar(dialog, rest1, &why)) return bad(why);
        return true;
    }
    if (verb == L"resize") {
        // A drag of the lower right corner: the window's minimum and maximum
        // tracking sizes are asked first and hold.
        std::wistringstream a(rest1);
        int cx = 0, cy = 0;
        if (!(a >> cx >> cy) || !(a >> std::ws).eof() || cx <= 0 || cy <= 0) return bad(L"resize takes a width and a height");
        if (!(GetWindowLongW(dialog, GWL_STYLE) & WS_THICKFRAME)) return bad(L"the window has no sizing border");
        MINMAXINFO mmi{};
        mmi.ptMaxSize = POINT{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
        mmi.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
        SendMessageW(dialog, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        cx = std::clamp<int>(cx, mmi.ptMinTrackSize.x, std::max(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x));
        cy = std::clamp<int>(cy, mmi.ptMinTrackSize.y, std::max(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y));
        SetWindowPos(dialog, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return true;
    }
    if (verb == L"type") {
        // Characters to whatever has the focus.
        if (rest1.empty()) return bad(L"type takes a text");
        HWND focus = GetFocus();
        if (!focus || (focus != dialog && !IsChild(dialog, focus))) return bad(L"nothing in the dialog has the focus");
        if (!Reachable(dialog, focus)) return bad(L"the focus window is hidden or disabled");
        UserInput::Type(rest1);
        return true;
    }
    // "SHIFT+press", "CTRL+press": the key is held until the release.
    bool holdShift = false, holdCtrl = false;
    for (;;) {
        if (verb.rfind(L"SHIFT+", 0) == 0) {
            holdShift = true;
            verb = verb.substr(6);
        } else if (verb.rfind(L"CTRL+", 0) == 0) {
            holdCtrl = true;
            verb = verb.substr(5);
        } else {
            break;
        }
    }
    if ((holdShift || holdCtrl) && verb != L"press") return bad(L"only press holds SHIFT+ or CTRL+");
    std::wstring arg;
    std::wstring pathText;
    {
        std::wistringstream a(rest1);
        a >> pathText;
        std::getline(a, arg);
        if (!arg.empty() && arg[0] == L' ') arg.erase(0, 1);
    }
    std::vector<int> path;
    if (!ParsePath(pathText, &path)) return bad(L"\"" + pathText + L"\" is no control path");
    HWND ctl = Follow(dialog, path, 0);
    if (!ctl) return bad(L"the dialog has no such control");
    if (!Reachable(dialog, ctl)) return bad(L"the control or a window holding it is hidden or disabled");
    // "at X,Y": a point in the control's client area instead of its centre.
    std::optional<POINT> at;
    if (arg.rfind(L"at ", 0) == 0) {
        POINT p;
        if (!ParsePoint(arg.substr(3), &p)) return bad(L"\"" + arg + L"\" is no point");
        at = p;
        arg.clear();
    }
    // "from X,Y to X,Y": a drag, pressed at one point and released at the other.
    std::optional<POINT> dragTo;
    if (verb == L"drag") {
        POINT from, to;
        std::wistringstream a(arg);
        std::wstring fromWord, fromText, toWord, toText;
        a >> fromWord >> fromText >> toWord >> toText;
        if (fromWord != L"from" || toWord != L"to" || !ParsePoint(fromText, &from) || !ParsePoint(toText, &to) ||
            !(a >> std::ws).eof())
            return bad(L"drag takes \"from X,Y to X,Y\"");
        at = from;
        dragTo = to;
        arg.clear();
    }
    POINT point = at ? *at : Centre(ctl);
    // The press goes to the control: a point of it outside its client area is a mismatch.
    bool presses = verb == L"click" || verb == L"dblclick" || verb == L"rclick" || verb == L"press" || verb == L"drag";
    if (presses && at) {
        RECT client;
        GetClientRect(ctl, &client);
        if (point.x < client.left || point.y < client.top || point.x >= client.right || point.y >= client.bottom)
            return bad(L"the point lies outside the control");
    }
    bool pointer = verb == L"click" || verb == L"dblclick" || verb == L"rclick" || verb == L"press" ||
                   verb == L"move" || verb == L"release" || verb == L"drag";
    if (!pointer && at) return bad(L"\"at\" is only for the pointer's actions");
    if (pointer && !arg.empty()) return bad(L"unexpected \"" + arg + L"\"");
    if (verb == L"rclick") {
        UserInput::Click(ctl, point, true);
        return true;
    }
    if (verb == L"press") {
        UserInput::HoldKeys(holdShift, holdCtrl);
        UserInput::ButtonDown(ctl, point);
        return true;
    }
    if (verb == L"drag") {
        UserInput::ButtonDown(ctl, point);
        POINT s = *dragTo;
        ClientToScreen(ctl, &s);
        UserInput::MoveMouse(s);
        UserInput::ButtonUp(ctl, *dragTo);
        return true;
    }
    if (verb == L"move") {
        if (!at) return bad(L"move takes \"at X,Y\"");
        POINT s = point;
        ClientToScreen(ctl, &s);
        UserInput::MoveMouse(s);
        return true;
    }
    if (verb == L"release") {
        UserInput::ButtonUp(ctl, point);
        UserInput::HoldKeys(false, false);
        return true;
    }
    if (verb == L"wheel") {
        std::wistringstream a(arg);
        std::wstring way;
        int notches = 1;
        a >> way;
        if (!(a >> std::ws).eof() && !(a >> notches)) return bad(L"wheel takes up or down and a count");
        way = Upper(way);
        if ((way != L"UP" && way != L"DOWN") || notches < 1) return bad(L"wheel takes up or down and a count");
        for (int i = 0; i < notches; ++i) UserInput::Wheel(ctl, point, way == L"UP" ? WHEEL_DELTA : -WHEEL_DELTA);
        return true;
    }
    if (verb == L"click") {
        UserInput::Click(ctl, point);
    } else if (verb == L"dblclick") {
        UserInput::DoubleClick(ctl, point);
    } else if ((verb == L"check" || verb == L"uncheck" || verb == L"select") && IsClass(ctl, L"SysListView32")) {
        // "#N": the list's item N; a click on its check box when its check must
        // change, on its text to select it.
        int index = -1;
        if (arg.size() < 2 || arg[0] != L'#' || !ParseInt(arg.substr(1), &index) || index < 0) return bad(L"a list item is named \"#N\"");
        const bool checkBox = verb != L"select";
        POINT p;
        if (!win::ListViewItemPoint(ctl, index, checkBox, &p))
            return bad(checkBox ? L"the list has no such item with a check box" : L"the list shows no such item");
        if (checkBox) {
            const bool checked = (SendMessageW(ctl, LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_STATEIMAGEMASK) >> 12) == 2;
            if (checked != (verb == L"check")) UserInput::Click(ctl, p);
        } else {
            UserInput::Click(ctl, p);
        }
    } else if (verb == L"check" || verb == L"uncheck") {
        LRESULT code = SendMessageW(ctl, WM_GETDLGCODE, 0, 0);
        if (!(code & DLGC_BUTTON) || (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
            return bad(L"the control is not a check box or radio button");
        bool checked = SendMessageW(ctl, BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (checked != (verb == L"check")) UserInput::Click(ctl, Centre(ctl));
    } else if (verb == L"set") {
        // As if the user tabbed into the field and typed over its text.
        if (!(SendMessageW(ctl, WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) && !IsClass(ctl, L"Edit"))
            return bad(L"the control takes no text");
        FocusAsDialog(ctl);
        if (arg.empty()) {
            UserInput::Key(VK_DELETE);
        } else {
            UserInput::Type(arg);
        }
    } else if (verb == L"select") {
        if (!IsClass(ctl, L"ComboBox")) return bad(L"the control is not a combo box");
        int index = static_cast<int>(SendMessageW(ctl, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                  reinterpret_cast<LPARAM>(arg.c_str())));
        if (index < 0) return bad(L"the list holds no entry \"" + arg + L"\"");
        FocusAsDialog(ctl);
        SendMessageW(ctl, CB_SHOWDROPDOWN, TRUE, 0);
        win::ComboChoose(ctl, index);
        if (IsWindow(ctl)) SendMessageW(ctl, CB_SHOWDROPDOWN, FALSE, 0);
    } else if (verb == L"focus") {
        FocusAsDialog(ctl);
    } else if (verb == L"scroll") {
        // A click on a part of the control's vertical scroll bar.
        win::Window* cw = win::Find(ctl);
        if (!(cw->style & WS_VSCROLL)) return bad(L"the control has no vertical scroll bar");
        RECT c;
        GetClientRect(ctl, &c);
        std::wstring part = Upper(arg);
        int y = part == L"UP" ? 3 : part == L"DOWN" ? c.bottom - 3 : part == L"PAGEUP" ? 20 : part == L"PAGEDOWN" ? c.bottom - 20 : -1;
        if (y < 0) return bad(L"scroll takes up, down, pageup or pagedown");
        UserInput::Click(ctl, POINT{c.right + GetSystemMetrics(SM_CXVSCROLL) / 2, y});
    } else {
        return bad(L"unknown action \"" + verb + L"\"");
    }
    return true;
}

}  // namespace vplat
