#include "WinMessageBox.h"

#include <cwctype>

#include "HostScript.h"
#include "HostTranscript.h"

namespace {

std::vector<vplat::MessageBoxRecord>& Records() {
    static std::vector<vplat::MessageBoxRecord> r;
    return r;
}

std::vector<int> Buttons(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
    }
}

int ParseAnswer(const std::wstring& text) {
    std::wstring w;
    for (wchar_t c : text)
        if (!std::iswspace(c)) w.push_back(static_cast<wchar_t>(std::towlower(c)));
    if (w == L"ok") return IDOK;
    if (w == L"cancel") return IDCANCEL;
    if (w == L"abort") return IDABORT;
    if (w == L"retry") return IDRETRY;
    if (w == L"ignore") return IDIGNORE;
    if (w == L"yes") return IDYES;
    if (w == L"no") return IDNO;
    return 0;
}

}  // namespace

extern "C" int MessageBoxW(HWND, LPCWSTR text, LPCWSTR caption, UINT type) {
    std::vector<int> buttons = Buttons(type);
    size_t def = ((type & MB_DEFMASK) >> 8);
    int answer = buttons[def < buttons.size() ? def : 0];
    bool scripted = false;
    if (auto line = vplat::Script::Get().TakeIf(L"msgbox")) {
        int wanted = ParseAnswer(*line);
        bool offered = false;
        for (int b : buttons) offered = offered || b == wanted;
        if (offered) {
            answer = wanted;
            scripted = true;
        } else {
            vplat::Script::Get().Mismatch(L"\"msgbox " + *line + L"\" is not a button of the box \"" +
                                          std::wstring(text ? text : L"") + L"\"");
            // Closing the box answers Cancel where it has one, else its default.
            for (int b : buttons)
                if (b == IDCANCEL) answer = IDCANCEL;
        }
    }
    vplat::MessageBoxRecord rec{text ? text : L"", caption ? caption : L"", type, answer};
    Records().push_back(rec);
    // A text that ends its last line keeps the answer on that line.
    std::wstring shown = rec.text;
    while (!shown.empty() && (shown.back() == L'\n' || shown.back() == L'\r')) shown.pop_back();
    vplat::Transcript::Get().Event(
        "messagebox", L"\"" + rec.caption + L"\" " + vplat::MessageBoxes::ButtonNames(type) + L": " + shown +
                          L" -> " + vplat::MessageBoxes::AnswerName(answer) + (scripted ? L"" : L" (default)"));
    return answer;
}

namespace vplat {

const std::vector<MessageBoxRecord>& MessageBoxes::All() { return Records(); }
void MessageBoxes::Clear() { Records().clear(); }

std::wstring MessageBoxes::AnswerName(int answer) {
    switch (answer) {
    case IDOK: return L"OK";
    case IDCANCEL: return L"Cancel";
    case IDABORT: return L"Abort";
    case IDRETRY: return L"Retry";
    case IDIGNORE: return L"Ignore";
    case IDYES: return L"Yes";
    case IDNO: return L"No";
    default: return L"?";
    }
}

std::wstring MessageBoxes::ButtonNames(UINT type) {
    std::wstring out;
    for (int b : Buttons(type)) {
        if (!out.empty()) out += L"/";
        out += AnswerName(b);
    }
    return out;
}

}  // namespace vplat
