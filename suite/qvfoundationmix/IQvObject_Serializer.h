// Writes an engineering object into a CADDatoArray and builds one back.
//
// An object is written as (0, int type code), then, for every entry of its
// property list in the saving context (7005), in list order, the value that
// LeggiDato answers: bools and ints as int entries, reals and angles as real
// entries, texts, points; a group as (id, int member count) followed by each
// member written the same way; (-1, int 0) closes the object. Entries of
// other kinds, empty groups pointers and the id -1 are not written.
#pragma once

#include "CADDatoArray.h"
#include "IQvObject.h"
#include "IQvObjectConstructor.h"

constexpr int QV_CONTESTO_SALVATAGGIO = 7005;

class IQvObject_Serializer {
public:
    // The constructor makes the objects read back; without one nothing can be read.
    explicit IQvObject_Serializer(IQvObjectConstructor* costruttore = nullptr) : m_costruttore(costruttore) {}

    // Appends the object to the array: 1, or 0 for a null object.
    int SetToCADDatoArray(CADDatoArray& dati, const IQvObject* oggetto) const;
    // Builds a new object from the array's first entries: 1 with the object
    // (the caller frees it through the constructor), or 0 with a null pointer
    // when the array is not a whole object (no type, a type the constructor
    // does not make, a member count beyond the array, no close, a value of
    // the wrong kind) or there is no constructor; whatever was built is freed.
    // Ids the object does not list, or refuses, are skipped.
    int GetFromCADDatoArray(const CADDatoArray& dati, IQvObject** oggetto) const;

private:
    void Scrivi(CADDatoArray& dati, const IQvObject* oggetto) const;
    IQvObject* Leggi(const CADDatoArray& dati, int& pos, int profondita) const;
    bool LeggiValore(const CADDatoArray& dati, int& pos, int tipo, IQvObject* oggetto, int profondita) const;

    IQvObjectConstructor* m_costruttore;
};
