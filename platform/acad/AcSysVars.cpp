#include "AcSysVars.h"

#include <cstdlib>
#include <cwchar>
#include <cwctype>
#include <map>
#include <memory>

#include "HostText.h"

namespace {

struct SysVar {
    int type;  // RTSTR, RTSHORT, RTREAL or RT3DPOINT
    std::wstring text;
    short shortValue = 0;
    double realValue = 0.0;
    ads_point point = {0, 0, 0};
    bool readOnly = false;
};

std::wstring Key(const std::wstring& name) {
    std::wstring k = name;
    for (auto& c : k) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return k;
}

std::map<std::wstring, SysVar> Defaults() {
    std::map<std::wstring, SysVar> v;
    auto text = [&](const wchar_t* n, const wchar_t* t, bool ro = false) {
        SysVar s{RTSTR, t};
        s.readOnly = ro;
        v[n] = s;
    };
    auto shrt = [&](const wchar_t* n, short value, bool ro = false) {
        SysVar s{RTSHORT, L""};
        s.shortValue = value;
        s.readOnly = ro;
        v[n] = s;
    };
    auto real = [&](const wchar_t* n, double value) {
        SysVar s{RTREAL, L""};
        s.realValue = value;
        v[n] = s;
    };
    for (const wchar_t* n : {L"USERS1", L"USERS2", L"USERS3", L"USERS4", L"USERS5"}) text(n, L"");
    for (const wchar_t* n : {L"USERI1", L"USERI2", L"USERI3", L"USERI4", L"USERI5"}) shrt(n, 0);
    for (const wchar_t* n : {L"USERR1", L"USERR2", L"USERR3", L"USERR4", L"USERR5"}) real(n, 0.0);
    shrt(L"AUNITS", 0);
    shrt(L"AUPREC", 0);
    shrt(L"LUNITS", 2);
    shrt(L"LUPREC", 4);
    shrt(L"CMDECHO", 1);
    shrt(L"FILEDIA", 1);
    shrt(L"TILEMODE", 1);
    real(L"VIEWSIZE", 100.0);
    text(L"CLAYER", L"0");
    text(L"CTAB", L"Model");
    text(L"DWGNAME", L"Drawing1.dwg", true);
    text(L"DWGPREFIX", L"", true);
    return v;
}

std::map<std::wstring, SysVar>& Vars() {
    static std::map<std::wstring, SysVar> v = Defaults();
    return v;
}

struct ChainDeleter {
    void operator()(resbuf* rb) const { acutRelRb(rb); }
};
using Chain = std::unique_ptr<resbuf, ChainDeleter>;

std::map<std::wstring, Chain>& Symbols() {
    static std::map<std::wstring, Chain> s;
    return s;
}

ACHAR* Dup(const std::wstring& s) {
    auto* d = static_cast<ACHAR*>(std::malloc((s.size() + 1) * sizeof(ACHAR)));
    std::wmemcpy(d, s.c_str(), s.size() + 1);
    return d;
}

}  // namespace

int acedGetVar(const ACHAR* name, resbuf* result) {
    if (!name || !result) return RTERROR;
    auto it = Vars().find(Key(name));
    if (it == Vars().end()) return RTERROR;
    const SysVar& v = it->second;
    if (vplat::ValueKindOf(result->restype) == vplat::RbValue::String) std::free(result->resval.rstring);
    result->restype = static_cast<short>(v.type);
    switch (v.type) {
    case RTSTR: result->resval.rstring = Dup(v.text); break;
    case RTSHORT: result->resval.rint = v.shortValue; break;
    case RTREAL: result->resval.rreal = v.realValue; break;
    default:
        for (int i = 0; i < 3; ++i) result->resval.rpoint[i] = v.point[i];
        break;
    }
    return RTNORM;
}

int acedSetVar(const ACHAR* name, const resbuf* value) {
    if (!name || !value) return RTERROR;
    auto it = Vars().find(Key(name));
    if (it == Vars().end() || it->second.readOnly) return RTERROR;
    SysVar& v = it->second;
    switch (v.type) {
    case RTSTR:
        if (value->restype != RTSTR) return RTERROR;
        v.text = value->resval.rstring ? value->resval.rstring : L"";
        break;
    case RTSHORT:
        if (value->restype != RTSHORT) return RTERROR;
        v.shortValue = value->resval.rint;
        break;
    case RTREAL:
        if (value->restype != RTREAL) return RTERROR;
        v.realValue = value->resval.rreal;
        break;
    default:
        if (value->restype != RTPOINT && value->restype != RT3DPOINT) return RTERROR;
        for (int i = 0; i < 3; ++i) v.point[i] = value->resval.rpoint[i];
        break;
    }
    return RTNORM;
}

int acedGetSym(const ACHAR* name, resbuf** value) {
    if (!name || !value) return RTERROR;
    auto it = Symbols().find(Key(name));
    *value = it == Symbols().end() ? acutNewRb(RTNIL) : vplat::CopyChain(it->second.get());
    return RTNORM;
}

int acedPutSym(const ACHAR* name, resbuf* value) {
    if (!name) return RTERROR;
    Symbols()[Key(name)].reset(vplat::CopyChain(value));
    return RTNORM;
}

namespace vplat {

bool SysVars::SetFromText(const std::wstring& name, const std::wstring& value, std::wstring* error) {
    auto it = Vars().find(Key(name));
    if (it == Vars().end()) {
        *error = L"unknown system variable " + name;
        return false;
    }
    if (it->second.readOnly) {
        *error = L"system variable " + name + L" is read-only";
        return false;
    }
    SysVar& v = it->second;
    wchar_t* end = nullptr;
    switch (v.type) {
    case RTSTR: v.text = value; return true;
    case RTSHORT: {
        long n = std::wcstol(value.c_str(), &end, 10);
        if (value.empty() || *end || n < -32768 || n > 32767) break;
        v.shortValue = static_cast<short>(n);
        return true;
    }
    case RTREAL: {
        double d = std::wcstod(value.c_str(), &end);
        if (value.empty() || *end) break;
        v.realValue = d;
        return true;
    }
    default: break;
    }
    *error = L"bad value \"" + value + L"\" for system variable " + name;
    return false;
}

void SysVars::Reset() { Vars() = Defaults(); }

void LispSymbols::SetText(const std::wstring& name, const std::wstring& value) {
    resbuf* rb = acutNewRb(RTSTR);
    rb->resval.rstring = Dup(value);
    acedPutSym(name.c_str(), rb);
    acutRelRb(rb);
}

void LispSymbols::Clear() {
    Symbols().clear();
}

}  // namespace vplat
