// The suite's general services: the current drawing, system variables,
// commands and temporary vectors. Commands and vectors go to the host's
// transcript, since nothing is displayed here.
#pragma once

#include "CADDatoArray.h"
#include "ZylHandles.h"

class IGeneralUtils {
public:
    virtual ~IGeneralUtils() = default;
    virtual ZylDatabase GetDatabaseCorrente() = 0;
    // Appends the variable's value as one entry (1040 real, 1071 int, 1000
    // text, 1010 point); non-zero when the variable exists.
    virtual int GetVariabileSistema(const wchar_t* nome, CADDatoArray& valore) = 0;
    // 1 when sent.
    virtual int InviaComando(const wchar_t* comando) = 0;
    // Draws the point entries as a chain of temporary vectors; the number of
    // points drawn.
    virtual int DisegnaVettori(const CADDatoArray& punti, int colore, int flag1, int flag2) = 0;
};
