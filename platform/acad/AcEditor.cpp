#include "AcEditor.h"

#include <cmath>
#include <cstdarg>
#include <cwchar>
#include <cwctype>
#include <optional>
#include <sstream>
#include <vector>

#include "CWnd.h"
#include "HostScript.h"
#include "HostText.h"
#include "HostTranscript.h"
#include "WinFormat.h"

namespace {

struct InitGet {
    int flags = 0;
    std::wstring keywordText;
    bool pending = false;
};

InitGet g_init;
std::wstring g_lastKeyword;

InitGet TakeInitGet() {
    InitGet i = g_init;
    g_init = InitGet{};
    return i;
}

void Print(const std::wstring& text) { vplat::Transcript::Get().CommandLine(text); }

enum class Kind { Value, Enter, Cancel };
struct Reply {
    Kind kind;
    std::wstring text;
};

// Shows the prompt and takes the answer of the next script line of this kind.
Reply Ask(const wchar_t* kind, const ACHAR* prompt) {
    std::wstring p = prompt ? prompt : L"";
    Print(p);
    std::optional<std::wstring> line = vplat::Script::Get().Take(kind, p);
    vplat::Transcript& tr = vplat::Transcript::Get();
    if (!line || *line == L"<cancel>") {
        tr.Answer(L"*Cancel*");
        return {Kind::Cancel, L""};
    }
    if (*line == L"<enter>" || line->empty()) {
        tr.Answer(L"");
        return {Kind::Enter, L""};
    }
    tr.Answer(*line);
    return {Kind::Value, *line};
}

// The local keywords of an acedInitGet list (the part before a "_").
std::vector<std::wstring> Keywords(const std::wstring& list) {
    std::vector<std::wstring> out;
    std::wistringstream in(list);
    std::wstring w;
    while (in >> w) {
        if (w[0] == L'_') break;
        out.push_back(w);
    }
    return out;
}

// The keyword an answer names: exactly, then without regard to case, then as
// the start of one keyword only.
std::optional<std::wstring> MatchKeyword(const std::wstring& answer, const std::wstring& list) {
    std::vector<std::wstring> kws = Keywords(list);
    for (const auto& k : kws)
        if (k == answer) return k;
    for (const auto& k : kws)
        if (vplat::EqualNoCase(k, answer)) return k;
    std::optional<std::wstring> found;
    for (const auto& k : kws) {
        if (k.size() > answer.size() && vplat::EqualNoCase(k.substr(0, answer.size()), answer)) {
            if (found) return std::nullopt;
            found = k;
        }
    }
    return found;
}

bool CopyOut(const std::wstring& text, ACHAR* result, size_t bufLen) {
    if (!result || bufLen == 0) return false;
    size_t n = text.size() < bufLen ? text.size() : bufLen - 1;
    std::wmemcpy(result, text.c_str(), n);
    result[n] = 0;
    return n == text.size();
}

bool ParseReal(const std::wstring& s, double* out) {
    wchar_t* end = nullptr;
    double d = std::wcstod(s.c_str(), &end);
    while (end && *end && std::iswspace(static_cast<wint_t>(*end))) ++end;
    if (end == s.c_str() || (end && *end)) return false;
    // "nan", "inf" and numbers beyond the range are no numeric value.
    if (!std::isfinite(d)) return false;
    *out = d;
    return true;
}

// A numeric input with the rules of acedInitGet; `parse` reads one answer.
template <typename Parse>
int NumericInput(const wchar_t* kind, const ACHAR* prompt, const InitGet& init, const wchar_t* requirement,
                 Parse parse) {
    for (;;) {
        Reply r = Ask(kind, prompt);
        if (r.kind == Kind::Cancel) return RTCAN;
        if (r.kind == Kind::Enter) {
            if (init.flags & RSG_NONULL) {
                Print(std::wstring(requirement) + L"\n");
                continue;
            }
            return RTNONE;
        }
        if (auto kw = MatchKeyword(r.text, init.keywordText)) {
            g_lastKeyword = *kw;
            return RTKWORD;
        }
        std::wstring why;
        if (parse(r.text, init.flags, &why)) return RTNORM;
        Print((why.empty() ? std::wstring(requirement) : why) + L"\n");
    }
}

}  // namespace

int acutPrintf(const ACHAR* format, ...) {
    va_list args;
    va_start(args, format);
    Print(vplat::FormatV(format, args));
    va_end(args);
    return RTNORM;
}

int acedInitGet(int flags, const ACHAR* keywords) {
    g_init.flags = flags;
    g_init.keywordText = keywords ? keywords : L"";
    g_init.pending = true;
    return RTNORM;
}

int acedGetString(int crOnly, const ACHAR* prompt, ACHAR* result, size_t bufLen) {
    TakeInitGet();  // string input is not governed by acedInitGet, but uses it up
    if (!result || bufLen == 0) return RTERROR;
    Reply r = Ask(L"string", prompt);
    if (r.kind == Kind::Cancel) {
        result[0] = 0;
        return RTCAN;
    }
    std::wstring text = r.text;
    // Without crOnly a blank ends the input, as pressing Enter would.
    if (!crOnly) {
        size_t sp = text.find(L' ');
        if (sp != std::wstring::npos) text.erase(sp);
    }
    return CopyOut(text, result, bufLen) ? RTNORM : RTINPUTTRUNCATED;
}

int acedGetString(int crOnly, const ACHAR* prompt, ACHAR* result) {
    return acedGetString(crOnly, prompt, result, 133);
}

int acedGetInt(const ACHAR* prompt, int* result) {
    InitGet init = TakeInitGet();
    return NumericInput(L"int", prompt, init, L"Requires an integer value or option keyword.",
                        [&](const std::wstring& s, int flags, std::wstring* why) {
                            wchar_t* end = nullptr;
                            long v = std::wcstol(s.c_str(), &end, 10);
                            if (end == s.c_str() || *end) return false;
                            if (v < -32768 || v > 32767) {
                                *why = L"Requires an integer between -32768 and 32767.";
                                return false;
                            }
                            if ((flags & RSG_NOZERO) && v == 0) {
                                *why = L"Value must be nonzero.";
                                return false;
                            }
                            if ((flags & RSG_NONEG) && v < 0) {
                                *why = L"Value must be positive.";
                                return false;
                            }
                            if (result) *result = static_cast<int>(v);
                            return true;
                        });
}

int acedGetReal(const ACHAR* prompt, ads_real* result) {
    InitGet init = TakeInitGet();
    return NumericInput(L"real", prompt, init, L"Requires numeric value or option keyword.",
                        [&](const std::wstring& s, int flags, std::wstring* why) {
                            double v = 0;
                            if (!ParseReal(s, &v)) return false;
                            if ((flags & RSG_NOZERO) && v == 0.0) {
                                *why = L"Value must be nonzero.";
                                return false;
                            }
                            if ((flags & RSG_NONEG) && v < 0.0) {
                                *why = L"Value must be positive.";
                                return false;
                            }
                            if (result) *result = v;
                            return true;
                        });
}

int acedGetPoint(const ads_point base, const ACHAR* prompt, ads_point result) {
    InitGet init = TakeInitGet();
    return NumericInput(L"point", prompt, init, L"Invalid point.",
                        [&](const std::wstring& s, int, std::wstring*) {
                            std::vector<double> c;
                            std::wstringstream in(s);
                            std::wstring part;
                            while (std::getline(in, part, L',')) {
                                double v = 0;
                                if (!ParseReal(part, &v)) return false;
                                c.push_back(v);
                            }
                            if (c.size() < 2 || c.size() > 3) return false;
                            if (result) {
                                result[0] = c[0];
                                result[1] = c[1];
                                result[2] = c.size() == 3 ? c[2] : (base ? base[2] : 0.0);
                            }
                            return true;
                        });
}

int acedGetKword(const ACHAR* prompt, ACHAR* result, size_t bufLen) {
    InitGet init = TakeInitGet();
    for (;;) {
        Reply r = Ask(L"kword", prompt);
        if (r.kind == Kind::Cancel) return RTCAN;
        if (r.kind == Kind::Enter) {
            if (init.flags & RSG_NONULL) continue;
            if (result && bufLen) result[0] = 0;
            return RTNONE;
        }
        if (auto kw = MatchKeyword(r.text, init.keywordText)) {
            g_lastKeyword = *kw;
            return CopyOut(*kw, result, bufLen) ? RTNORM : RTINPUTTRUNCATED;
        }
        Print(L"Invalid option keyword.\n");
    }
}

int acedGetKword(const ACHAR* prompt, ACHAR* result) { return acedGetKword(prompt, result, 133); }

int acedGetInput(ACHAR* result, size_t bufLen) {
    return CopyOut(g_lastKeyword, result, bufLen) ? RTNORM : RTINPUTTRUNCATED;
}

int acedGetInput(ACHAR* result) { return acedGetInput(result, 133); }

namespace vplat {
PendingInitGet PendingInput() { return {g_init.flags, g_init.keywordText, g_init.pending}; }
}  // namespace vplat

HWND adsw_acadMainWnd() {
    CWnd* w = AfxGetMainWnd();
    return w ? w->GetSafeHwnd() : nullptr;
}
