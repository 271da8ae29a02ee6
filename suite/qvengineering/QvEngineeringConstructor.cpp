#include "QvEngineeringConstructor.h"

#include "ICLISTADATI.h"
#include "QvFoundationMix.h"

IQvObject* QvEngineeringConstructor::Alloca(int tipo, void* /*contesto*/) {
    switch (tipo) {
        case QV_TIPO_ELEMENTO_PENDENZE:
        case QV_TIPO_ELEMENTO_TRACCIATO:
            return new ICELEMENTODATI(tipo, 0.0);
        case QV_TIPO_GRUPPO:
            return new IQvObject_Group;
        case QV_TIPO_IMPOSTAZIONI:
            return new IQvObject_DisplaySettings;
        case QV_TIPO_LISTA:
            return new IQvObject_CodeList;
        case QV_TIPO_COLORE:
            return new IQvObject_Colour;
        default:
            return nullptr;
    }
}

void QvEngineeringConstructor::Libera(IQvObject** oggetto, int /*modo*/) {
    if (!oggetto || !*oggetto) return;
    delete *oggetto;
    *oggetto = nullptr;
}
