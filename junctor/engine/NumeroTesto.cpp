#include "NumeroTesto.h"

#include <cmath>
#include <cwchar>
#include <cwctype>

namespace {

constexpr int kMaxDecimali = 15;
// Large enough for any double in %e, and for %f below the %g switch to exponent form.
constexpr size_t kLunghezzaTesto = 128;

// The C numeric locale, freed when the module is unloaded.
_locale_t LocaleC() {
    static const struct Locale {
        _locale_t handle = _create_locale(LC_NUMERIC, "C");
        ~Locale() { _free_locale(handle); }
    } locale;
    return locale.handle;
}

}  // namespace

CString FormattaNumeroCon(LPCWSTR formato, double valore) {
    // "%.0f" of the largest double takes 309 digits.
    constexpr size_t lunghezza = 400;
    wchar_t testo[lunghezza];
    if (_swprintf_s_l(testo, lunghezza, formato, LocaleC(), valore) < 0) testo[0] = 0;
    return CString(testo);
}

CString FormattaNumero(double valore, int decimali) {
    if (decimali < 0) decimali = 0;
    if (decimali > kMaxDecimali) decimali = kMaxDecimali;

    wchar_t prova[kLunghezzaTesto];
    if (_swprintf_s_l(prova, kLunghezzaTesto, L"%g", LocaleC(), valore) < 0) prova[0] = 0;
    const wchar_t* schema = std::wcschr(prova, L'e') ? L"%%.%de" : L"%%.%df";

    wchar_t formato[16];
    _swprintf_s_l(formato, 16, schema, LocaleC(), decimali);
    return FormattaNumeroCon(formato, valore);
}

double LeggiNumero(LPCWSTR testo) {
    if (!testo) return 0.0;
    return _wcstod_l(testo, nullptr, LocaleC());
}

namespace {
bool Blank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

// Past the digits at p; how many there were.
int Cifre(LPCWSTR& p) {
    int n = 0;
    for (; *p >= L'0' && *p <= L'9'; ++p) ++n;
    return n;
}
}  // namespace

bool LeggiNumeroCompleto(LPCWSTR testo, double& valore) {
    if (!testo) return false;
    LPCWSTR p = testo;
    while (Blank(*p)) ++p;
    LPCWSTR inizio = p;
    if (*p == L'+' || *p == L'-') ++p;
    int cifre = Cifre(p);
    if (*p == L'.') {
        ++p;
        cifre += Cifre(p);
    }
    if (cifre == 0) return false;
    if (*p == L'e' || *p == L'E') {
        ++p;
        if (*p == L'+' || *p == L'-') ++p;
        if (Cifre(p) == 0) return false;
    }
    while (Blank(*p)) ++p;
    if (*p) return false;
    double v = _wcstod_l(inizio, nullptr, LocaleC());
    if (!std::isfinite(v)) return false;
    valore = v;
    return true;
}

bool LeggiNumeroDigitato(LPCWSTR testo, double& valore) {
    CString t = testo ? testo : L"";
    const int virgole = t.Replace(L',', L'.');
    if (virgole > 1 || (virgole == 1 && t.Find(L'.') != t.ReverseFind(L'.'))) return false;
    const double v = LeggiNumero(t);
    if (!std::isfinite(v)) return false;
    valore = v;
    return true;
}
