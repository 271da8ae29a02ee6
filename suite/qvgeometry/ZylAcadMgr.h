// Editor input through the suite's CAD manager.
#pragma once

#include "AcRx.h"

class ZylAcadMgr {
public:
    // A text from the command line into a buffer of at least 133 characters;
    // RTNORM (5100) when the user answered.
    static int zyl_acedGetString(int soloInvio, const ACHAR* prompt, ACHAR* risultato);
};
