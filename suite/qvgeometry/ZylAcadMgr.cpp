#include "ZylAcadMgr.h"

#include "AcEditor.h"

int ZylAcadMgr::zyl_acedGetString(int soloInvio, const ACHAR* prompt, ACHAR* risultato) {
    return acedGetString(soloInvio, prompt, risultato);
}
