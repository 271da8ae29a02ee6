#include "GyroformUtil.h"

#include <cmath>

#include <windows.h>

#include "GyroformCodici.h"
#include "IQvObject.h"
#include "GyroformConstructor.h"
#include "TranslatorBinding.h"

namespace gyroform {

void Messaggio(const CString& testo) { MessageBoxW(nullptr, testo, TITOLO_MESSAGGI, MB_OK); }

CString Traduci(const wchar_t* testo) { return CString(TranslateText(testo)); }

void Libera(IQvObject* oggetto) {
    if (!oggetto) return;
    if (GyroformConstructor* c = GyroformMain::getConstructor()) {
        c->Libera(&oggetto);
        return;
    }
    if (GyroformConstructor::IsTipoGyroform(oggetto->GetTipo())) {
        delete oggetto;
        return;
    }
    QvEngineeringConstructor::Libera(&oggetto, 1);
}

datipoli* PolilineaDaArray(const CADDatoArray& vertici, const CADDatoArray& bulge, datipoli** ultimo) {
    datipoli* testa = nullptr;
    datipoli* coda = nullptr;
    for (int i = 0; i < vertici.GetCount(); ++i) {
        if (vertici[i].GetTipo() != CADDatoArray::Punto) continue;
        ads_point p;
        vertici[i].GetPunto(p);
        double b = i < bulge.GetCount() ? bulge[i].GetDouble() : 0.0;
        if (!AggpuntoDATIPOLI(p, b, &testa, &coda)) break;
    }
    if (ultimo) *ultimo = coda;
    return testa;
}

CDato DatoLetto(const IQvObject& oggetto, int id, bool* ok) {
    CDato dato;
    int letto = oggetto.LeggiDato(id, dato);
    if (ok) *ok = letto != 0;
    return dato;
}

datipoli* UltimoNodo(datipoli* lista) {
    while (lista && lista->next) lista = lista->next;
    return lista;
}

double Lunghezza(const datipoli* lista) {
    if (!lista) return 0.0;
    const datipoli* ultimo = lista;
    while (ultimo->next) ultimo = ultimo->next;
    return ultimo->prog - lista->prog;
}

void ArrayDaPolilinea(const datipoli* lista, CADDatoArray& vertici, CADDatoArray& bulge) {
    int i = 0;
    for (const datipoli* d = lista; d; d = d->next, ++i) {
        vertici.Add(i, d->x, d->y, d->z);
        bulge.Add(i, d->bulge);
    }
}

bool ValoreAmmesso(double v) { return std::isfinite(v) && std::fabs(v) <= kValoreMassimo; }

namespace {
bool PuntoAmmesso(const double p[3]) { return ValoreAmmesso(p[0]) && ValoreAmmesso(p[1]) && ValoreAmmesso(p[2]); }
}  // namespace

bool DatoAmmesso(const CDato& dato) {
    switch (dato.GetTipo()) {
        case CDato::Reale:
        case CDato::Angolo: return ValoreAmmesso(dato.GetDouble());
        case CDato::Punto: {
            double p[3];
            dato.GetPunto(p);
            return PuntoAmmesso(p);
        }
        default: return true;
    }
}

bool ValoriAmmessi(const CADDatoArray& dati) {
    for (int i = 0; i < dati.GetCount(); ++i) {
        const CADDatoArray::CADDato& d = dati[i];
        switch (d.GetTipo()) {
            case CADDatoArray::Reale:
                if (!ValoreAmmesso(d.GetDouble())) return false;
                break;
            case CADDatoArray::Punto: {
                double p[3];
                d.GetPunto(p);
                if (!PuntoAmmesso(p)) return false;
                break;
            }
            case CADDatoArray::Array:
                if (d.GetArray() && !ValoriAmmessi(*d.GetArray())) return false;
                break;
            default: break;
        }
    }
    return true;
}

}  // namespace gyroform
