// The engineering-object constructor of the suite: makes its object kinds by
// type code and frees any object made by it.
#pragma once

#include "IQvObjectConstructor.h"

class IQvObject;

// Type codes made here.
constexpr int QV_TIPO_ELEMENTO_PENDENZE = 1500;  // record of the cross-slope list
constexpr int QV_TIPO_ELEMENTO_TRACCIATO = 1508;  // record of the alignment-element list

class QvEngineeringConstructor : public IQvObjectConstructor {
public:
    // A new object of type 1500, 1508 (list records), 1700 (group), 2005
    // (display settings), 2523 (list of choices) or 2525 (colour); null for
    // any other code. The context is not used.
    static IQvObject* Alloca(int tipo, void* contesto);
    // Destroys the object (a group frees its members first) and clears the
    // pointer; null, or a pointer to null, does nothing. The int is not used.
    static void Libera(IQvObject** oggetto, int modo);

    IQvObject* Alloca(int tipo) override { return Alloca(tipo, nullptr); }
    void Libera(IQvObject** oggetto) override { Libera(oggetto, 1); }
};
