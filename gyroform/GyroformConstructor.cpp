#include "GyroformConstructor.h"

#include <new>

#include "CAsseRamo.h"
#include "CCiglioAnello3D.h"
#include "CCiglioRamo3D.h"
#include "CPuntiCiglio.h"
#include "CRotatoria3D.h"
#include "GyroformCodici.h"

namespace {
GyroformConstructor* g_costruttore = nullptr;
}

bool GyroformConstructor::IsTipoGyroform(int tipo) { return tipo >= TIPO_PRIMO_GYROFORM && tipo <= TIPO_ULTIMO_GYROFORM; }

IQvObject* GyroformConstructor::Alloca(int tipo) {
    switch (tipo) {
        case TIPO_ROTATORIA3D: return new (std::nothrow) CRotatoria3D;
        case TIPO_CIGLIOANELLO3D: return new (std::nothrow) CCiglioAnello3D;
        case TIPO_CIGLIORAMO3D: return new (std::nothrow) CCiglioRamo3D;
        case TIPO_PUNTOCIGLIO: return new (std::nothrow) CPuntoCiglio;
        case TIPO_PUNTOVERTICE: return new (std::nothrow) CPuntoVertice;
        case TIPO_PUNTOPIANO: return new (std::nothrow) CPuntoPiano;
        case TIPO_PUNTOROTAZIONE: return new (std::nothrow) CPuntoRotazione;
        case TIPO_PUNTOVERIFICA: return new (std::nothrow) CPuntoVerifica;
        case TIPO_PUNTONODO: return new (std::nothrow) CPuntoNodo;
        case TIPO_ASSERAMO: return new (std::nothrow) CAsseRamo;
        case TIPO_PUNTOSEZIONE: return new (std::nothrow) CPuntoSezione;
        default: return QvEngineeringConstructor::Alloca(tipo, nullptr);
    }
}

void GyroformConstructor::Libera(IQvObject** oggetto) {
    if (!oggetto || !*oggetto) return;
    if (IsTipoGyroform((*oggetto)->GetTipo())) {
        delete *oggetto;
        *oggetto = nullptr;
    }
    QvEngineeringConstructor::Libera(oggetto, 1);
}

IQvObject* GyroformConstructor::allocaRotatoria() { return Alloca(TIPO_ROTATORIA3D); }

GyroformConstructor* GyroformMain::getConstructor() { return g_costruttore; }

void GyroformMain::avvia() {
    if (!g_costruttore) g_costruttore = new GyroformConstructor;
}

void GyroformMain::ferma() {
    delete g_costruttore;
    g_costruttore = nullptr;
}
