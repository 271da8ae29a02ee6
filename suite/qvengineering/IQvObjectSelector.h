// Picking an engineering object in the drawing by one of its entities.
#pragma once

#include "AdsDef.h"
#include "ZylEntityID.h"

class IQvObject;

// The kind of object a pick asks for: an alignment.
constexpr int QV_SELEZIONE_TRACCIATO = 5001;

class IQvObject_Selector {
public:
    // Prompts for an entity (the input script's "entsel" line). For kind
    // 5001 a picked alignment gives its entity, the pick point and a new
    // alignment object in *oggetto, freed with QvEngineeringConstructor::
    // Libera; anything else prints "*Invalid selection*" and gives no entity
    // (and no object). The last two arguments are not used.
    static ZylEntityID SelIQvObject(int tipo, ads_point punto, IQvObject** oggetto, const ACHAR* prompt, int modo,
                                    void* riservato);
};
