// The application context of a host module: one per module, from its
// initialisation to its unload.
#pragma once

#include <afx.h>
#include <arx.h>

// Active-object codes held by USERS1, as bits for EnterCommand's mask.
enum ActiveObjectBit {
    kObjInizioQv = 1,  // "INIZIOQV"
    kObjPx = 2,        // "QV-PX"
    kObjRr = 4,        // "QV-RR"
    kObjPs = 8,        // "QV-PS"
    kObjSe = 16,       // "QV-SE"
};

class CArxAppContext {
public:
    CArxAppContext();

    LPCWSTR GetAppDir() const { return m_szAppDir; }

    // The start guard: 1 = go (the command is marked as running), 0 = refused
    // with its reason printed.
    int EnterCommand(int mask);
    void LeaveCommand();
    // Reads a text system variable into the caller's buffer, cut to fit; a
    // variable that cannot be read leaves an empty text.
    void GetVarString(LPCWSTR name, LPWSTR buffer, size_t size = 256);
    void PrintMessage(LPCWSTR text);

    static constexpr size_t kDirLength = 260;
    static constexpr size_t kVarLength = 256;

    wchar_t m_szAppDir[kDirLength];
    int m_bCommandActive;
    BYTE m_bLoadFailed;
};

// The bit of an active-object code; 0 for any other text.
int ActiveObjectBitOf(LPCWSTR code);

// Prints a message, translated, on the command line (never used as a format).
void PrintTranslated(LPCWSTR text);

// The module's context, null outside initialisation .. unload.
CArxAppContext* GetArxAppContext();
