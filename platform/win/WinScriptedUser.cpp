// The scripted user: acts in the open modal dialog as the input script says
// ("dialog <template> <action> ...", docs/input-script.md).
#include <cwctype>
#include <map>
#include <optional>
#include <sstream>

#include "HostScript.h"
#include "HostText.h"
#include "HostTranscript.h"
#include "WinInput.h"
#include "WinWindowImpl.h"

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
    // Actions on a control: its id first.
    auto control = [&](std::wstring* after) -> HWND {
        std::wistringstream a(rest1);
        std::wstring idText;
        a >> idText;
        std::getline(a, *after);
        if (!after->empty() && (*after)[0] == L' ') after->erase(0, 1);
        int ctlId = 0;
        if (!ParseInt(idText, &ctlId)) return nullptr;
        return GetDlgItem(dialog, ctlId);
    };
    std::wstring arg;
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
    HWND ctl = control(&arg);
    if (!ctl) return bad(L"the dialog has no such control");
    if (!IsWindowVisible(ctl)) return bad(L"the control is hidden");
    if (!IsWindowEnabled(ctl)) return bad(L"the control is disabled");
    if (verb == L"click") {
        UserInput::Click(ctl, Centre(ctl));
    } else if (verb == L"dblclick") {
        UserInput::DoubleClick(ctl, Centre(ctl));
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
