// Small helpers the model's classes share.
#pragma once

#include <vector>

#include "CADDatoArray.h"
#include "CDato.h"
#include "DatiPoli.h"
#include "IQvObject.h"
#include "IQvObject_Group.h"

namespace gyroform {

// A message box without owner, titled "Vortana", with only an OK button.
void Messaggio(const CString& testo);
// The translation of a text, as a text of its own.
CString Traduci(const wchar_t* testo);
// Frees an object through the module's constructor (the suite's when the
// module is not started).
void Libera(IQvObject* oggetto);
// A plan polyline from vertex and bulge arrays (entries keyed 0, 1, 2 ...);
// its last node in *ultimo. Null for no vertex.
datipoli* PolilineaDaArray(const CADDatoArray& vertici, const CADDatoArray& bulge, datipoli** ultimo);
datipoli* UltimoNodo(datipoli* lista);
// The common GetDato of the model's objects: an empty datum filled by
// LeggiDato, whose answer goes into *ok when asked.
CDato DatoLetto(const IQvObject& oggetto, int id, bool* ok);
// Length of a list (0 for none).
double Lunghezza(const datipoli* lista);
// Nested vertex and bulge arrays of a list, as polylines take them.
void ArrayDaPolilinea(const datipoli* lista, CADDatoArray& vertici, CADDatoArray& bulge);

// The largest size of a value the model takes (coordinates, chainages,
// elevations, radii, slopes): anything larger, or not finite, is no value
// of a roundabout, and would only overflow what is computed from it.
constexpr double kValoreMassimo = 1e7;
bool ValoreAmmesso(double v);
// A datum whose real or point value is admitted (texts and integers are).
bool DatoAmmesso(const CDato& dato);
// True when every real and point of an entity-data array (and of its
// nested arrays) is admitted.
bool ValoriAmmessi(const CADDatoArray& dati);

// The objects of a group's members, in group order (none for no group).
template <typename T>
std::vector<T*> Oggetti(IQvObject_Group* gruppo) {
    std::vector<T*> out;
    for (IQvObject_GroupMember* m = gruppo ? gruppo->GetFirstMember() : nullptr; m; m = m->GetNext())
        out.push_back(static_cast<T*>(m->GetObject()));
    return out;
}

}  // namespace gyroform
