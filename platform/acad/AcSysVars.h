// System variables and AutoLISP symbols.
#pragma once

#include <string>

#include "AdsDef.h"

int acedGetVar(const ACHAR* name, resbuf* result);
int acedSetVar(const ACHAR* name, const resbuf* value);
// *value receives a new chain the caller releases with acutRelRb; an unbound
// symbol gives RTNORM with a single RTNIL node.
int acedGetSym(const ACHAR* name, resbuf** value);
int acedPutSym(const ACHAR* name, resbuf* value);

namespace vplat {

class SysVars {
public:
    // Sets a variable from its text, converted to the variable's type.
    // Fails with a reason for an unknown name, a read-only one or a bad value.
    static bool SetFromText(const std::wstring& name, const std::wstring& value, std::wstring* error);
    static void Reset();
};

class LispSymbols {
public:
    // Binds a symbol to a text value (the host's --lisp option).
    static void SetText(const std::wstring& name, const std::wstring& value);
    static void Clear();
};

}  // namespace vplat
